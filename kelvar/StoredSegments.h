// The stored segments of a protocol's PROT_DATA blob, read into an export file.
#pragma once

#include "ExportWriter.h"

#include <ibpp.h>

// Called by the export once the blob is open and the writer has begun: reads exactly the
// number of segments the blob reports, one read each into a buffer of the largest, and appends
// each. False when a segment does not inflate (a stored segment of 0 bytes holds no zlib stream
// and is not taken for the end of the blob) or a write fails. A blob without segments still
// asks once, and the database library's refusal of a read of 0 bytes passes on.
bool AppendStoredSegments(IBPP::Blob& blob, int largest, int segments, CExportWriter& writer);
