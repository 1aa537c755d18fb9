// Blob objects: a stored blob opened by its id and read segment by segment.
#include "Impl.h"

namespace IBPP {

namespace detail {

namespace {

// A little-endian integer of the blob information buffer.
int number(const unsigned char* bytes, int length)
{
    unsigned value = 0;
    for (int i = length - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return static_cast<int>(value);
}

} // namespace

BlobImpl::BlobImpl(Database db, Transaction tr)
    : dbHolder_(db), trHolder_(tr), db_(databaseOf(db)), tr_(transactionOf(tr))
{
}

BlobImpl::~BlobImpl()
{
    if (handle_) {
        ISC_STATUS_ARRAY status;
        db_.fb().close_blob(status, &handle_);
    }
}

void BlobImpl::assign(const ISC_QUAD* id)
{
    if (handle_)
        throw Exception("Row::Get: the blob is open; close it before reading another into it.");
    hasId_ = id != nullptr;
    id_ = id ? *id : ISC_QUAD{};
}

void BlobImpl::Open()
{
    if (handle_)
        throw Exception("Blob::Open: the blob is open already.");
    if (!hasId_)
        throw Exception("Blob::Open: the blob has no id (the column is NULL).");
    if (!db_.Connected())
        throw Exception("Blob::Open: the database is not connected.");
    isc_tr_handle* tr = tr_.started("Blob::Open");
    ISC_STATUS_ARRAY status;
    db_.fb().open_blob2(status, db_.handle(), tr, &handle_, &id_, 0, nullptr);
    if (status[0] == 1 && status[1]) {
        handle_ = 0;
        check(status);
    }
}

void BlobImpl::Close()
{
    if (!handle_)
        return;
    ISC_STATUS_ARRAY status;
    db_.fb().close_blob(status, &handle_);
    handle_ = 0;
    check(status);
}

void BlobImpl::GetInfo(int* size, int* largest, int* segments)
{
    if (!handle_)
        throw Exception("Blob::GetInfo: the blob is not open.");
    const char items[] = {isc_info_blob_total_length, isc_info_blob_max_segment,
                          isc_info_blob_num_segments};
    unsigned char result[64] = {};
    ISC_STATUS_ARRAY status;
    db_.fb().blob_info(status, &handle_, sizeof items, items, sizeof result,
                       reinterpret_cast<ISC_SCHAR*>(result));
    check(status);
    const unsigned char* p = result;
    const unsigned char* const end = result + sizeof result;
    while (p < end && *p != isc_info_end) {
        const unsigned char item = *p++;
        if (item == isc_info_truncated || item == isc_info_error || end - p < 2)
            throw Exception("Blob::GetInfo: the blob information is incomplete.");
        const int length = number(p, 2);
        p += 2;
        if (length > 4 || end - p < length)
            throw Exception("Blob::GetInfo: the blob information is damaged.");
        const int value = number(p, length);
        p += length;
        if (item == isc_info_blob_total_length && size)
            *size = value;
        else if (item == isc_info_blob_max_segment && largest)
            *largest = value;
        else if (item == isc_info_blob_num_segments && segments)
            *segments = value;
    }
}

int BlobImpl::Read(void* buffer, int size)
{
    if (size < 1 || size > 65535)
        throw Exception("Blob::Read: the read size must lie between 1 and 65535 bytes.");
    if (!handle_)
        throw Exception("Blob::Read: the blob is not open.");
    unsigned short actual = 0;
    ISC_STATUS_ARRAY status;
    db_.fb().get_segment(status, &handle_, &actual, static_cast<unsigned short>(size),
                         static_cast<ISC_SCHAR*>(buffer));
    if (status[0] == 1 && status[1] == isc_segstr_eof)
        return 0;
    if (!(status[0] == 1 && status[1] == isc_segment))
        check(status);
    return actual;
}

} // namespace detail

Blob BlobFactory(Database db, Transaction tr)
{
    return Blob(new detail::BlobImpl(db, tr));
}

} // namespace IBPP
