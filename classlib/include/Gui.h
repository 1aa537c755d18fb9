// Everything of the class library's window half, for a form's unit.
#pragma once

#include "Application.h"
#include "DatePicker.h"
#include "Encoding.h"
#include "Form.h"
#include "FormResource.h"
#include "Image.h"
#include "ListView.h"
#include "PageControl.h"
#include "StandardControls.h"
