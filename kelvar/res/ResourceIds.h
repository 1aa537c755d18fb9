// Resource numbers shared by kelvar.rc and the form description.
#pragma once

#define IDB_LOGO 101
