// Attaching to storage databases, and the ways an attachment fails.
#include "IbppTestSupport.h"

#include <IbppClient.h>

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace ibpptest;

namespace {

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Connect must fail with the layer's error, leaving the database unconnected.
std::string connectError(const std::string& path)
{
    IBPP::Database db = storageHandle(path);
    try {
        db->Connect();
    } catch (const IBPP::Exception& e) {
        EXPECT_FALSE(db->Connected());
        return e.what();
    }
    ADD_FAILURE() << "Connect succeeded on " << path;
    return "";
}

} // namespace

TEST(Connection, AttachesWithTheFixedParametersInDialect3)
{
    const std::string path = testFile();
    fixtures::StorageDatabase::create(path).close();

    IBPP::Database db = storageHandle(path);
    EXPECT_FALSE(db->Connected());
    db->Connect();
    EXPECT_TRUE(db->Connected());
    db->Connect();   // a second Connect keeps the attachment
    EXPECT_TRUE(db->Connected());

    // Dialect 3 divides integers exactly; dialect 1 would deliver a floating-point 3.5.
    std::vector<IBPP::Row> rows =
        select(db, "SELECT 7/2 AS N, CURRENT_USER AS U FROM RDB$DATABASE");
    ASSERT_EQ(rows.size(), 1u);
    int n = 0;
    EXPECT_FALSE(rows[0]->Get("N", n));
    EXPECT_EQ(n, 3);
    std::string user;
    rows[0]->Get("U", user);
    EXPECT_EQ(user, "SYSDBA");

    db->Disconnect();
    EXPECT_FALSE(db->Connected());
    db->Disconnect();   // no-op
    db->Connect();      // and the handle can attach again
    EXPECT_TRUE(db->Connected());
}

TEST(Connection, MissingFileFails)
{
    const std::string message = connectError(scratch().File("no-such-folder/KX40Storage.gdb"));
    EXPECT_TRUE(contains(message, "open")) << message;
}

TEST(Connection, FileThatIsNoDatabaseFails)
{
    const std::string path = testFile();
    fixtures::writeNonDatabase(path);
    const std::string message = connectError(path);
    EXPECT_TRUE(contains(message, "not a valid database")) << message;
}

TEST(Connection, EmptyPathFails)
{
    EXPECT_FALSE(connectError("").empty());
}

// Runs only in its own process with TABULON_NO_FBCLIENT=1: under Wine the client is then off the
// search path; natively the loader is pointed at a library name that does not exist.
TEST(NoClient, DatabaseFactoryFailsWithoutTheClientLibrary)
{
    const char* flag = std::getenv("TABULON_NO_FBCLIENT");
    if (!flag || std::string(flag) != "1")
        GTEST_SKIP() << "needs TABULON_NO_FBCLIENT=1";
#ifndef _WIN32
    IBPP::detail::setClientLibraryForTesting("libfbclient-missing.so.2");
#endif
    IBPP::Database db;
    try {
        db = storageHandle(testFile());
        FAIL() << "DatabaseFactory made a handle without a client library";
    } catch (const IBPP::Exception& e) {
        EXPECT_TRUE(contains(e.what(), "could not be loaded")) << e.what();
    }
    EXPECT_TRUE(db == nullptr);
    // Every later attempt fails the same way; nothing was half-loaded.
    EXPECT_THROW(storageHandle(testFile()), IBPP::Exception);
}

TEST(Connection, OverlongParametersRaiseInsteadOfBeingCut)
{
    // Each connection parameter travels with a one-byte length.
    EXPECT_THROW(IBPP::DatabaseFactory("", testFile(), "sysdba", std::string(256, 'p'), "", "", ""),
                 IBPP::Exception);
    EXPECT_NO_THROW(
        IBPP::DatabaseFactory("", testFile(), "sysdba", std::string(255, 'p'), "", "", ""));
}

#ifdef _WIN32
TEST(Connection, PathWithCzechLetters)
{
    // Windows programs name files in the ANSI code page; the bridge must hand the engine the
    // same file that Windows itself sees under that name.
    const std::string path =
        scratch().File(fixtures::win1250("Měření č. 1")) + "\\KX40Storage.gdb";
    fixtures::StorageDatabase::create(path).close();
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    IBPP::Database db = connect(path);
    EXPECT_TRUE(db->Connected());
}
#endif
