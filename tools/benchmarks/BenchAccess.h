// The window's private steps that the benchmark programs time (their friend of TfrmSearchMain).
#pragma once

#include "frmMain.h"

#include <cstdint>

struct TfrmSearchMainBenchAccess
{
    using F = TfrmSearchMain;
    static uint8_t currentModel(const F& f) { return f.currentModel; }
    static void FillSearchLists(F& f) { f.FillSearchLists(); }
    static AnsiString ExportProtocol(F& f, int32_t id) { return f.ExportProtocol(id); }
};
