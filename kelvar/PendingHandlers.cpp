// Temporary: empty handlers standing in for those whose source files are not in the tree yet,
// so that the program and its tests link meanwhile. kelvar/CMakeLists.txt defines
// KELVAR_PENDING_<NAME> for each missing file. Goes when every handler is written.
#include "frmMain.h"

#ifdef KELVAR_PENDING_SEARCH
void TfrmSearchMain::btnSearchClick(TObject*) {}
void TfrmSearchMain::lvProtocolsSelectItem(TObject*, TListItem*, bool) {}
void TfrmSearchMain::chxFromClick(TObject*) {}
void TfrmSearchMain::chxToClick(TObject*) {}
#endif

#ifdef KELVAR_PENDING_SORTING
void TfrmSearchMain::lvProtocolsColumnClick(TObject*, TListColumn*) {}
void TfrmSearchMain::lvProtocolsCompare(TObject*, TListItem*, TListItem*, int, int& Compare)
{
    Compare = 0;
}
#endif

#ifdef KELVAR_PENDING_PRINT
void TfrmSearchMain::btnPrintClick(TObject*) {}
#endif
