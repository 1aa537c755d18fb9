// Database objects: one attachment to one database file.
#include "Impl.h"

namespace IBPP {

namespace detail {

namespace {

// Appends one item with its text to a database parameter buffer.
void addText(std::string& dpb, char item, const std::string& value)
{
    if (value.size() > 255)
        throw Exception("A connection parameter is longer than 255 bytes.");
    dpb += item;
    dpb += static_cast<char>(value.size());
    dpb += value;
}

} // namespace

DatabaseImpl::DatabaseImpl(const Client& client, std::string name, std::string user,
                           std::string password, std::string role, std::string charset)
    : fb_(client), name_(std::move(name))
{
    if (name_.size() > 32767)
        throw Exception("The database name is too long.");
    dpb_ += static_cast<char>(isc_dpb_version1);
    addText(dpb_, isc_dpb_user_name, user);
    addText(dpb_, isc_dpb_password, password);
    if (!role.empty())
        addText(dpb_, isc_dpb_sql_role_name, role);
    if (!charset.empty())
        addText(dpb_, isc_dpb_lc_ctype, charset);
    dpb_ += static_cast<char>(isc_dpb_sql_dialect);
    dpb_ += '\1';
    dpb_ += static_cast<char>(SQL_DIALECT_V6);
}

DatabaseImpl::~DatabaseImpl()
{
    if (handle_) {
        ISC_STATUS_ARRAY status;
        fb_.detach_database(status, &handle_);
    }
}

void DatabaseImpl::Connect()
{
    if (handle_)
        return;
    ISC_STATUS_ARRAY status;
    fb_.attach_database(status, static_cast<short>(name_.size()), name_.c_str(), &handle_,
                        static_cast<short>(dpb_.size()), dpb_.data());
    if (status[0] == 1 && status[1]) {
        handle_ = 0;
        check(status);
    }
}

void DatabaseImpl::Disconnect()
{
    if (!handle_)
        return;
    ISC_STATUS_ARRAY status;
    fb_.detach_database(status, &handle_);
    check(status);
    handle_ = 0;
}

} // namespace detail

Database DatabaseFactory(const std::string& server, const std::string& database,
                         const std::string& user, const std::string& password,
                         const std::string& role, const std::string& charset,
                         const std::string& params)
{
    const detail::Client& client = detail::client();
    const std::string name = server.empty() ? database : server + ":" + database;
    return Database(new detail::DatabaseImpl(client, name, user, password, role, charset));
}

} // namespace IBPP
