// The description of the search window (frmMainForm.cpp).
#pragma once

#include "FormResource.h"
#include "frmMain.h"

const TFormResource<TfrmSearchMain>& frmSearchMainResource();
