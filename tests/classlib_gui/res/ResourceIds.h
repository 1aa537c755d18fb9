// Resource ids of the class library's GUI tests (the .rc and the C++ sources share them).
#pragma once

#define IDI_SAMPLE 101
#define IDB_SAMPLE_ALPHA 102
#define IDB_SAMPLE_KEYED 103
