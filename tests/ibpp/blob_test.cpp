// Reading PROT_DATA segment by segment.
#include "IbppTestSupport.h"

#include <zlib.h>

#include <algorithm>

using namespace ibpptest;

namespace {

std::string text(size_t length, char first)
{
    std::string result;
    for (size_t i = 0; i < length; ++i)
        result += static_cast<char>(first + i % 23);
    return result;
}

std::string inflate(const std::string& stream)
{
    std::string out(2048, '\0');
    uLongf size = out.size();
    if (uncompress(reinterpret_cast<Bytef*>(&out[0]), &size,
                   reinterpret_cast<const Bytef*>(stream.data()), stream.size()) != Z_OK)
        return "<damaged>";
    out.resize(size);
    return out;
}

class Blobs : public ::testing::Test {
protected:
    // Stores one row per entry of `documents` (ID 1, 2, ...) and opens the database.
    void store(const std::vector<std::optional<std::vector<std::string>>>& documents)
    {
        auto db = fixtures::StorageDatabase::create(testFile());
        std::vector<fixtures::Protocol> rows;
        for (size_t i = 0; i < documents.size(); ++i) {
            fixtures::Protocol p;
            p.id = static_cast<int>(i + 1);
            p.protData = documents[i];
            rows.push_back(p);
        }
        db.add(rows);
        db.close();
        db_ = connect(testFile());
        tr_ = IBPP::TransactionFactory(db_);
        tr_->Start();
        st_ = IBPP::StatementFactory(db_, tr_);
        st_->Execute("SELECT * FROM EMISSIONS");
        blob_ = IBPP::BlobFactory(db_, tr_);
    }

    // Fetches the next row and hands its PROT_DATA to the blob; true for NULL.
    bool next()
    {
        IBPP::Row row;
        EXPECT_TRUE(st_->Fetch(row));
        return row->Get("PROT_DATA", blob_);
    }

    IBPP::Database db_;
    IBPP::Transaction tr_;
    IBPP::Statement st_;
    IBPP::Blob blob_;
};

} // namespace

TEST_F(Blobs, SegmentsComeBackOneByOneAndExactly)
{
    const std::vector<std::string> inflated = {text(600, 'a'), "", text(1024, 'A'),
                                               text(300, '0')};
    std::vector<std::string> segments;
    for (const std::string& piece : inflated)
        segments.push_back(fixtures::zlibSegment(piece));
    segments.insert(segments.begin() + 2, std::string("\x00\xff\x78\x9c damaged", 12));
    store({segments});

    EXPECT_FALSE(next());
    blob_->Open();
    int size = -1, largest = -1, count = -1;
    blob_->GetInfo(&size, &largest, &count);
    size_t total = 0, biggest = 0;
    for (const std::string& s : segments) {
        total += s.size();
        biggest = std::max(biggest, s.size());
    }
    EXPECT_EQ(size, static_cast<int>(total));
    EXPECT_EQ(largest, static_cast<int>(biggest));
    EXPECT_EQ(count, static_cast<int>(segments.size()));
    blob_->GetInfo(nullptr, &largest, nullptr);

    std::vector<char> buffer(static_cast<size_t>(largest));
    for (const std::string& expected : segments) {
        const int n = blob_->Read(buffer.data(), largest);
        ASSERT_EQ(n, static_cast<int>(expected.size()));
        EXPECT_EQ(std::string(buffer.data(), static_cast<size_t>(n)), expected);
    }
    EXPECT_EQ(blob_->Read(buffer.data(), largest), 0);
    EXPECT_EQ(blob_->Read(buffer.data(), largest), 0);
    blob_->Close();
    blob_->Close();   // no-op

    // The stored streams still inflate to the documents, the 1024-byte one included.
    EXPECT_EQ(inflate(segments[0]), inflated[0]);
    EXPECT_EQ(inflate(segments[1]), "");
    EXPECT_EQ(inflate(segments[3]), inflated[2]);
}

TEST_F(Blobs, ASmallBufferGetsASegmentInPieces)
{
    store({std::vector<std::string>{std::string(250, 'x'), "yz"}});
    next();
    blob_->Open();
    char buffer[100];
    EXPECT_EQ(blob_->Read(buffer, 100), 100);
    EXPECT_EQ(blob_->Read(buffer, 100), 100);
    EXPECT_EQ(blob_->Read(buffer, 100), 50);
    EXPECT_EQ(blob_->Read(buffer, 100), 2);
    EXPECT_EQ(std::string(buffer, 2), "yz");
    EXPECT_EQ(blob_->Read(buffer, 100), 0);
}

TEST_F(Blobs, ReadSizesFrom1To65535Only)
{
    store({std::vector<std::string>{std::string(65535, '\x5a')}});
    next();
    blob_->Open();
    std::vector<char> buffer(65536);
    EXPECT_THROW(blob_->Read(buffer.data(), 0), IBPP::Exception);
    EXPECT_THROW(blob_->Read(buffer.data(), -1), IBPP::Exception);
    EXPECT_THROW(blob_->Read(buffer.data(), 65536), IBPP::Exception);
    EXPECT_EQ(blob_->Read(buffer.data(), 65535), 65535);
    EXPECT_EQ(buffer[65534], '\x5a');
}

TEST_F(Blobs, NullAndEmptyBlobs)
{
    store({std::nullopt, std::vector<std::string>{}});
    // NULL: no id, so the blob cannot be opened.
    EXPECT_TRUE(next());
    EXPECT_THROW(blob_->Open(), IBPP::Exception);
    // No segment at all: the largest segment is 0, which no read size matches.
    EXPECT_FALSE(next());
    blob_->Open();
    int size = -1, largest = -1, count = -1;
    blob_->GetInfo(&size, &largest, &count);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(largest, 0);
    EXPECT_EQ(count, 0);
    char buffer[1];
    EXPECT_THROW(blob_->Read(buffer, largest), IBPP::Exception);
    EXPECT_EQ(blob_->Read(buffer, 1), 0);
}

TEST_F(Blobs, OneBlobObjectServesRowAfterRow)
{
    store({std::vector<std::string>{"first"}, std::vector<std::string>{"second"}});
    char buffer[16];
    next();
    blob_->Open();
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(blob_->Read(buffer, 16))), "first");
    // A row cannot hand its blob over while the previous one is still open.
    IBPP::Row row;
    ASSERT_TRUE(st_->Fetch(row));
    EXPECT_THROW(row->Get("PROT_DATA", blob_), IBPP::Exception);
    EXPECT_THROW(blob_->Open(), IBPP::Exception);
    blob_->Close();
    EXPECT_THROW(blob_->Read(buffer, 16), IBPP::Exception);
    EXPECT_THROW(blob_->GetInfo(nullptr, nullptr, nullptr), IBPP::Exception);
    row->Get("PROT_DATA", blob_);
    blob_->Open();
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(blob_->Read(buffer, 16))), "second");

    IBPP::Blob none;
    EXPECT_THROW(row->Get("PROT_DATA", none), IBPP::Exception);
}
