// Loading the Firebird client at run time, and turning its status vectors into Exception.
#include "IbppClient.h"

#include <mutex>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace IBPP::detail {

namespace {

#ifdef _WIN32
const char* const platformLibrary = "fbclient.dll";
#else
const char* const platformLibrary = "libfbclient.so.2";
#endif

std::mutex loadMutex;
bool loaded = false;
Client table;
std::string testLibrary;

// An open client library, closed again unless kept.
class Library {
public:
    explicit Library(const std::string& name)
    {
#ifdef _WIN32
        handle_ = LoadLibraryA(name.c_str());
#else
        handle_ = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    }
    ~Library()
    {
        if (!handle_)
            return;
#ifdef _WIN32
        FreeLibrary(handle_);
#else
        dlclose(handle_);
#endif
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    void keep() { handle_ = nullptr; }

    // Stores the address of `name` in `function`; false when the library lacks it.
    template <class F>
    bool find(F& function, const char* name) const
    {
#ifdef _WIN32
        function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(handle_, name)));
#else
        function = reinterpret_cast<F>(dlsym(handle_, name));
#endif
        return function != nullptr;
    }

private:
#ifdef _WIN32
    HMODULE handle_;
#else
    void* handle_;
#endif
};

// Looks up every function of the table; names the first one missing.
const char* fill(const Library& library, Client& t)
{
#define IBPP_FIND(field, name) \
    if (!library.find(t.field, name)) \
        return name;
    IBPP_FIND(attach_database, "isc_attach_database")
    IBPP_FIND(create_database, "isc_create_database")
    IBPP_FIND(detach_database, "isc_detach_database")
    IBPP_FIND(start_multiple, "isc_start_multiple")
    IBPP_FIND(commit_transaction, "isc_commit_transaction")
    IBPP_FIND(rollback_transaction, "isc_rollback_transaction")
    IBPP_FIND(dsql_allocate_statement, "isc_dsql_allocate_statement")
    IBPP_FIND(dsql_prepare, "isc_dsql_prepare")
    IBPP_FIND(dsql_describe, "isc_dsql_describe")
    IBPP_FIND(dsql_execute, "isc_dsql_execute")
    IBPP_FIND(dsql_execute_immediate, "isc_dsql_execute_immediate")
    IBPP_FIND(dsql_fetch, "isc_dsql_fetch")
    IBPP_FIND(dsql_free_statement, "isc_dsql_free_statement")
    IBPP_FIND(create_blob2, "isc_create_blob2")
    IBPP_FIND(open_blob2, "isc_open_blob2")
    IBPP_FIND(blob_info, "isc_blob_info")
    IBPP_FIND(get_segment, "isc_get_segment")
    IBPP_FIND(put_segment, "isc_put_segment")
    IBPP_FIND(close_blob, "isc_close_blob")
    IBPP_FIND(interpret, "fb_interpret")
#undef IBPP_FIND
    return nullptr;
}

} // namespace

const Client& client()
{
    std::lock_guard<std::mutex> lock(loadMutex);
    if (loaded)
        return table;
    const std::string name = testLibrary.empty() ? platformLibrary : testLibrary;
    Library library(name);
    if (!library.loaded())
        throw Exception("The Firebird client library " + name + " could not be loaded.");
    Client found{};
    if (const char* missing = fill(library, found))
        throw Exception("The Firebird client library " + name + " lacks " + missing + ".");
    library.keep();
    table = found;
    loaded = true;
    return table;
}

void setClientLibraryForTesting(const char* name)
{
    std::lock_guard<std::mutex> lock(loadMutex);
    testLibrary = name ? name : "";
    loaded = false;
}

void check(const ISC_STATUS* status)
{
    if (status[0] != 1 || status[1] == 0)
        return;
    std::string text;
    const ISC_STATUS* cursor = status;
    char line[1024];
    while (client().interpret(line, sizeof line, &cursor) > 0) {
        if (!text.empty())
            text += '\n';
        text += line;
    }
    if (text.empty())
        text = "Firebird error " + std::to_string(static_cast<long long>(status[1]));
    throw Exception(text);
}

} // namespace IBPP::detail
