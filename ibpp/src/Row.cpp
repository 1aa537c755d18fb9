// Rows: a copy of one fetched row's values, read by column name.
#include "Impl.h"

#include <climits>
#include <cstring>

namespace IBPP {

namespace detail {

namespace {

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i]))
            return false;
    return true;
}

template <class T>
T load(const char* value)
{
    T result;
    std::memcpy(&result, value, sizeof result);
    return result;
}

[[noreturn]] void unsuitable(const Column& column, const char* wanted)
{
    throw Exception("Row::Get: column " + column.name + " cannot be read as " + wanted + ".");
}

} // namespace

const Column& Layout::find(const std::string& name) const
{
    for (const Column& column : columns)
        if (sameName(column.name, name))
            return column;
    throw Exception("Row::Get: the row has no column " + name + ".");
}

RowImpl::RowImpl(std::shared_ptr<const Layout> layout, const char* buffer)
    : layout_(std::move(layout)), buffer_(buffer, buffer + layout_->size)
{
}

const Column& RowImpl::column(const std::string& name, const char*& value, bool& null) const
{
    const Column& found = layout_->find(name);
    value = buffer_.data() + found.data;
    null = load<short>(buffer_.data() + found.indicator) < 0;
    return found;
}

bool RowImpl::Get(const std::string& name, std::string& value) const
{
    const char* data;
    bool null;
    const Column& found = column(name, data, null);
    if (found.type != SQL_TEXT && found.type != SQL_VARYING)
        unsuitable(found, "text");
    if (null)
        return true;
    if (found.type == SQL_TEXT) {
        value.assign(data, static_cast<unsigned short>(found.length));
    } else {
        const unsigned short length = load<unsigned short>(data);
        if (length > static_cast<unsigned short>(found.length))
            throw Exception("Row::Get: column " + found.name + " has a damaged length.");
        value.assign(data + 2, length);
    }
    return false;
}

bool RowImpl::Get(const std::string& name, int& value) const
{
    const char* data;
    bool null;
    const Column& found = column(name, data, null);
    if ((found.type != SQL_SHORT && found.type != SQL_LONG && found.type != SQL_INT64) ||
        found.scale != 0)
        unsuitable(found, "an integer");
    if (null)
        return true;
    if (found.type == SQL_SHORT) {
        value = load<short>(data);
    } else if (found.type == SQL_LONG) {
        value = static_cast<int>(load<ISC_LONG>(data));
    } else {
        const ISC_INT64 wide = load<ISC_INT64>(data);
        if (wide < INT_MIN || wide > INT_MAX)
            throw Exception("Row::Get: the value of column " + found.name +
                            " does not fit into 32 bits.");
        value = static_cast<int>(wide);
    }
    return false;
}

bool RowImpl::Get(const std::string& name, Timestamp& value) const
{
    const char* data;
    bool null;
    const Column& found = column(name, data, null);
    if (found.type != SQL_TIMESTAMP && found.type != SQL_TYPE_DATE)
        unsuitable(found, "a timestamp");
    if (null)
        return true;
    if (found.type == SQL_TIMESTAMP)
        value = decodeTimestamp(load<ISC_TIMESTAMP>(data));
    else
        value = decodeDate(load<ISC_DATE>(data));
    return false;
}

bool RowImpl::Get(const std::string& name, Blob& value) const
{
    const char* data;
    bool null;
    const Column& found = column(name, data, null);
    if (found.type != SQL_BLOB)
        unsuitable(found, "a blob");
    if (!value)
        nullHandle();
    BlobImpl& blob = static_cast<BlobImpl&>(*value.intf());
    if (null) {
        blob.assign(nullptr);
        return true;
    }
    const ISC_QUAD id = load<ISC_QUAD>(data);
    blob.assign(&id);
    return false;
}

} // namespace detail

} // namespace IBPP
