/* Firebird bridge: a Wine builtin fbclient.dll whose exports forward to Debian's i386 Firebird client.
 * Status vectors, XSQLDA, handles and blob ids have the same layout on Win32 and on i386 Linux,
 * so arguments pass straight through; only the calling convention (stdcall here, cdecl there)
 * and the database path (Windows form here, Unix form there) change on the way. */
#include <windows.h>
#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <ibase.h>

extern char * CDECL wine_get_unix_file_name(const WCHAR *dos);

static void *client;

#define REAL_CLIENT "/usr/lib/i386-linux-gnu/libfbclient.so.2"

/* Loads the Linux client once, when the DLL is loaded; without it the DLL refuses to load,
 * which is what a program sees on a machine without a Firebird client. */
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        client = dlopen(REAL_CLIENT, RTLD_NOW | RTLD_GLOBAL);
        if (!client)
            return FALSE;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

/* The real function of that name; each forwarder looks it up on its first call. */
static void *real(const char *name)
{
    return dlsym(client, name);
}

/* Fills a status vector with "unavailable database" when a symbol is missing. */
static ISC_STATUS unavailable(ISC_STATUS *status)
{
    status[0] = isc_arg_gds;
    status[1] = isc_unavailable;
    status[2] = isc_arg_end;
    return status[1];
}

#define FORWARD(name, params, args) \
    ISC_STATUS WINAPI bridge_##name params \
    { \
        static ISC_STATUS (*fn) params; \
        if (!fn) fn = real("isc_" #name); \
        if (!fn) return unavailable(status); \
        return fn args; \
    }

/* `path` with the links of its longest existing part resolved: Wine's names run through
 * dosdevices/c:, and the engine would take that colon for a "host:path" name. The rest (a file
 * or folders that do not exist yet) is appended as it stands. */
static int resolve(const char *path, char *out, size_t size)
{
    char head[PATH_MAX], resolved[PATH_MAX];
    size_t cut = strlen(path), length;

    if (cut >= sizeof head)
        return -1;
    for (;;) {
        memcpy(head, path, cut);
        head[cut] = 0;
        if (realpath(cut ? head : "/", resolved))
            break;
        while (cut > 0 && path[cut - 1] != '/')
            --cut;
        if (cut == 0)
            return -1;
        --cut;   /* drop the slash as well; the rest keeps its own */
    }
    length = strlen(resolved) + strlen(path + cut);
    if (length >= size)
        return -1;
    strcpy(out, resolved);
    strcat(out, path + cut);
    return (int)length;
}

/* A Windows path (ANSI code page) as the Unix path it names, in `out`; names that are not local
 * paths ("host:path", empty) are passed on unchanged. Folders that do not exist are named as
 * they would be, so that the engine reports a missing file, not a strange name. Returns the
 * length, or -1 to pass the name on unchanged. */
static int unix_path(const char *name, short length, char *out, size_t size)
{
    WCHAR wide[MAX_PATH], full[MAX_PATH], head[MAX_PATH];
    char narrow[MAX_PATH], joined[PATH_MAX], rest[PATH_MAX];
    char *unix_name;
    int n = length ? length : (int)strlen(name);
    int i, cut;

    if (n <= 0 || n >= MAX_PATH)
        return -1;
    for (i = 0; i < n; ++i)
        if (name[i] == ':' && i != 1)
            return -1;
    memcpy(narrow, name, n);
    narrow[n] = 0;
    if (!MultiByteToWideChar(CP_ACP, 0, narrow, -1, wide, MAX_PATH) ||
        !GetFullPathNameW(wide, MAX_PATH, full, NULL))
        return -1;
    /* Shorten the path until Wine can name it; what was cut off follows as it stands. */
    lstrcpyW(head, full);
    cut = lstrlenW(head);
    while (!(unix_name = wine_get_unix_file_name(head))) {
        while (cut > 0 && head[cut] != '\\')
            --cut;
        if (cut <= 2)
            return -1;
        head[cut] = 0;
    }
    rest[0] = 0;
    if (full[cut] && !WideCharToMultiByte(CP_UTF8, 0, full + cut, -1, rest, sizeof rest, NULL,
                                          NULL)) {
        HeapFree(GetProcessHeap(), 0, unix_name);
        return -1;
    }
    for (i = 0; rest[i]; ++i)
        if (rest[i] == '\\')
            rest[i] = '/';
    n = (int)(strlen(unix_name) + strlen(rest));
    if ((size_t)n < sizeof joined) {
        strcpy(joined, unix_name);
        strcat(joined, rest);
    }
    HeapFree(GetProcessHeap(), 0, unix_name);
    if ((size_t)n >= sizeof joined)
        return -1;
    n = resolve(joined, out, size);
    return n > 32767 ? -1 : n;
}

/* `dpb` with the item that declares the file name UTF-8 (the form Wine gives Unix names in);
 * without it the client would read the name in the process locale's character set. */
static short utf8_dpb(const ISC_SCHAR *dpb, short length, ISC_SCHAR *out, size_t size)
{
    if (length < 0 || (size_t)length + 3 > size)
        return -1;
    if (length == 0 || !dpb) {
        out[0] = isc_dpb_version1;
        length = 1;
    } else {
        memcpy(out, dpb, length);
    }
    out[length] = isc_dpb_utf8_filename;
    out[length + 1] = 0;
    return (short)(length + 2);
}

ISC_STATUS WINAPI bridge_attach_database(ISC_STATUS *status, short length, const ISC_SCHAR *name,
                                         isc_db_handle *db, short dpb_length, const ISC_SCHAR *dpb)
{
    static ISC_STATUS (*fn)(ISC_STATUS *, short, const ISC_SCHAR *, isc_db_handle *, short,
                            const ISC_SCHAR *);
    char path[4096], params[32768];
    int n;
    short params_length;

    if (!fn) fn = real("isc_attach_database");
    if (!fn) return unavailable(status);
    n = unix_path(name, length, path, sizeof path);
    params_length = utf8_dpb(dpb, dpb_length, params, sizeof params);
    if (n < 0 || params_length < 0)
        return fn(status, length, name, db, dpb_length, dpb);
    return fn(status, (short)n, path, db, params_length, params);
}

ISC_STATUS WINAPI bridge_create_database(ISC_STATUS *status, short length, const ISC_SCHAR *name,
                                         isc_db_handle *db, short dpb_length, const ISC_SCHAR *dpb,
                                         short type)
{
    static ISC_STATUS (*fn)(ISC_STATUS *, short, const ISC_SCHAR *, isc_db_handle *, short,
                            const ISC_SCHAR *, short);
    char path[4096], params[32768];
    int n;
    short params_length;

    if (!fn) fn = real("isc_create_database");
    if (!fn) return unavailable(status);
    n = unix_path(name, length, path, sizeof path);
    params_length = utf8_dpb(dpb, dpb_length, params, sizeof params);
    if (n < 0 || params_length < 0)
        return fn(status, length, name, db, dpb_length, dpb, type);
    return fn(status, (short)n, path, db, params_length, params, type);
}

FORWARD(detach_database, (ISC_STATUS *status, isc_db_handle *db), (status, db))
FORWARD(start_multiple, (ISC_STATUS *status, isc_tr_handle *tr, short count, void *teb),
        (status, tr, count, teb))
FORWARD(commit_transaction, (ISC_STATUS *status, isc_tr_handle *tr), (status, tr))
FORWARD(rollback_transaction, (ISC_STATUS *status, isc_tr_handle *tr), (status, tr))
FORWARD(dsql_allocate_statement, (ISC_STATUS *status, isc_db_handle *db, isc_stmt_handle *stmt),
        (status, db, stmt))
FORWARD(dsql_prepare,
        (ISC_STATUS *status, isc_tr_handle *tr, isc_stmt_handle *stmt, unsigned short length,
         const ISC_SCHAR *sql, unsigned short dialect, XSQLDA *out),
        (status, tr, stmt, length, sql, dialect, out))
FORWARD(dsql_describe,
        (ISC_STATUS *status, isc_stmt_handle *stmt, unsigned short version, XSQLDA *out),
        (status, stmt, version, out))
FORWARD(dsql_execute,
        (ISC_STATUS *status, isc_tr_handle *tr, isc_stmt_handle *stmt, unsigned short version,
         const XSQLDA *in),
        (status, tr, stmt, version, in))
FORWARD(dsql_execute_immediate,
        (ISC_STATUS *status, isc_db_handle *db, isc_tr_handle *tr, unsigned short length,
         const ISC_SCHAR *sql, unsigned short dialect, const XSQLDA *in),
        (status, db, tr, length, sql, dialect, in))
FORWARD(dsql_fetch,
        (ISC_STATUS *status, isc_stmt_handle *stmt, unsigned short version, const XSQLDA *out),
        (status, stmt, version, out))
FORWARD(dsql_free_statement, (ISC_STATUS *status, isc_stmt_handle *stmt, unsigned short option),
        (status, stmt, option))
FORWARD(create_blob2,
        (ISC_STATUS *status, isc_db_handle *db, isc_tr_handle *tr, isc_blob_handle *blob,
         ISC_QUAD *id, short bpb_length, const ISC_SCHAR *bpb),
        (status, db, tr, blob, id, bpb_length, bpb))
FORWARD(open_blob2,
        (ISC_STATUS *status, isc_db_handle *db, isc_tr_handle *tr, isc_blob_handle *blob,
         ISC_QUAD *id, ISC_USHORT bpb_length, const ISC_UCHAR *bpb),
        (status, db, tr, blob, id, bpb_length, bpb))
FORWARD(blob_info,
        (ISC_STATUS *status, isc_blob_handle *blob, short items_length, const ISC_SCHAR *items,
         short buffer_length, ISC_SCHAR *buffer),
        (status, blob, items_length, items, buffer_length, buffer))
FORWARD(get_segment,
        (ISC_STATUS *status, isc_blob_handle *blob, unsigned short *actual, unsigned short size,
         ISC_SCHAR *buffer),
        (status, blob, actual, size, buffer))
FORWARD(put_segment,
        (ISC_STATUS *status, isc_blob_handle *blob, unsigned short length, const ISC_SCHAR *data),
        (status, blob, length, data))
FORWARD(close_blob, (ISC_STATUS *status, isc_blob_handle *blob), (status, blob))

ISC_LONG WINAPI bridge_interpret(ISC_SCHAR *buffer, unsigned int size, const ISC_STATUS **vector)
{
    static ISC_LONG (*fn)(ISC_SCHAR *, unsigned int, const ISC_STATUS **);
    if (!fn) fn = real("fb_interpret");
    if (!fn) return 0;
    return fn(buffer, size, vector);
}
