// The database layer: reference-counted database, transaction, statement, row and blob objects
// over the Firebird client, which is loaded at run time (fbclient.dll on Windows, found through
// the normal search order; libfbclient.so.2 natively).
#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <utility>

namespace IBPP {

// Every error of this layer: Firebird's interpreted status text, or the layer's own text.
class Exception : public std::exception {
public:
    explicit Exception(std::string message);
    const char* what() const noexcept override;

private:
    std::string message_;
};

namespace detail {

// Reference count shared by every object of the layer; the object goes with its last handle.
class Counted {
public:
    Counted() = default;
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

    void addRef() noexcept { ++references_; }
    void release() noexcept
    {
        if (--references_ == 0)
            delete this;
    }

protected:
    virtual ~Counted() = default;

private:
    int references_ = 0;
};

[[noreturn]] void nullHandle();

} // namespace detail

// Handle to an object of the layer: copying adds a reference, assigning releases the one held
// before. A null handle raises Exception when it is dereferenced.
template <class I>
class Ptr {
public:
    Ptr() noexcept = default;
    Ptr(std::nullptr_t) noexcept {}
    explicit Ptr(I* object) noexcept : object_(object) { acquire(); }
    Ptr(const Ptr& other) noexcept : object_(other.object_) { acquire(); }
    Ptr(Ptr&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    ~Ptr() { clear(); }

    Ptr& operator=(const Ptr& other) noexcept
    {
        Ptr copy(other);
        swap(copy);
        return *this;
    }
    Ptr& operator=(Ptr&& other) noexcept
    {
        Ptr taken(std::move(other));
        swap(taken);
        return *this;
    }
    Ptr& operator=(std::nullptr_t) noexcept
    {
        clear();
        return *this;
    }

    I* operator->() const
    {
        if (!object_)
            detail::nullHandle();
        return object_;
    }
    I* intf() const noexcept { return object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

    // Drops this handle's reference and leaves the handle null.
    void clear() noexcept
    {
        I* object = object_;
        object_ = nullptr;
        if (object)
            object->release();
    }

    friend bool operator==(const Ptr& a, const Ptr& b) noexcept { return a.object_ == b.object_; }
    friend bool operator!=(const Ptr& a, const Ptr& b) noexcept { return a.object_ != b.object_; }
    friend bool operator==(const Ptr& a, std::nullptr_t) noexcept { return !a.object_; }
    friend bool operator!=(const Ptr& a, std::nullptr_t) noexcept { return a.object_ != nullptr; }
    friend bool operator==(std::nullptr_t, const Ptr& a) noexcept { return !a.object_; }
    friend bool operator!=(std::nullptr_t, const Ptr& a) noexcept { return a.object_ != nullptr; }

private:
    void acquire() noexcept
    {
        if (object_)
            object_->addRef();
    }
    void swap(Ptr& other) noexcept
    {
        I* object = object_;
        object_ = other.object_;
        other.object_ = object;
    }

    I* object_ = nullptr;
};

// A calendar date. The default is 30 December 1899, the zero of the class library's dates.
class Date {
public:
    Date() = default;
    Date(int year, int month, int day);           // raises Exception for an impossible date
    void SetDate(int year, int month, int day);   // likewise
    int Year() const { return year_; }
    int Month() const { return month_; }
    int Day() const { return day_; }

private:
    int year_ = 1899;
    int month_ = 12;
    int day_ = 30;
};

// A time of day with ten-thousandths of a second, Firebird's precision. The default is midnight.
class Time {
public:
    Time() = default;
    Time(int hours, int minutes, int seconds, int subSeconds = 0);   // raises when out of range
    void SetTime(int hours, int minutes, int seconds, int subSeconds = 0);
    int Hours() const { return hours_; }
    int Minutes() const { return minutes_; }
    int Seconds() const { return seconds_; }
    int SubSeconds() const { return subSeconds_; }   // ten-thousandths of a second, 0..9999

private:
    int hours_ = 0;
    int minutes_ = 0;
    int seconds_ = 0;
    int subSeconds_ = 0;
};

class Timestamp : public Date, public Time {
public:
    Timestamp() = default;
    Timestamp(int year, int month, int day, int hours = 0, int minutes = 0, int seconds = 0,
              int subSeconds = 0)
        : Date(year, month, day), Time(hours, minutes, seconds, subSeconds)
    {
    }
};

enum TAM { amWrite, amRead };
enum TIL { ilConcurrency, ilReadDirty, ilReadCommitted, ilConsistency };
enum TLR { lrWait, lrNoWait };
enum TFF { tfIgnoreLimbo = 1, tfAutoCommit = 2, tfNoAutoUndo = 4 };

class IDatabase;
class ITransaction;
class IStatement;
class IRow;
class IBlob;
using Database = Ptr<IDatabase>;
using Transaction = Ptr<ITransaction>;
using Statement = Ptr<IStatement>;
using Row = Ptr<IRow>;
using Blob = Ptr<IBlob>;

// One database file. A connected database disconnects when its last handle goes.
class IDatabase : public detail::Counted {
public:
    virtual void Connect() = 0;            // no-op when connected
    virtual bool Connected() const = 0;
    virtual void Disconnect() = 0;         // no-op when not connected
};

// A transaction on one database. One started and released without Commit is rolled back.
class ITransaction : public detail::Counted {
public:
    virtual void Start() = 0;              // no-op when started; the database must be connected
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
    virtual bool Started() const = 0;
};

// An SQL statement run in one transaction. A statement with output columns is taken for a SELECT.
class IStatement : public detail::Counted {
public:
    virtual void Prepare(const std::string& sql) = 0;
    // Runs the prepared statement, after preparing `sql` first when it is not empty.
    virtual void Execute(const std::string& sql = "") = 0;
    // Moves to the next row of the result and lets `row` name it; false at the end (`row` then
    // keeps the last row delivered).
    virtual bool Fetch(Row& row) = 0;
    virtual void Close() = 0;              // closes the result set; no-op when none is open
};

// One fetched row, a copy of its values. Columns are found by name (without regard to letter
// case). Each Get returns true when the column is NULL and then leaves `value` as it was. An
// unknown column, or a column whose type cannot be read into `value`, raises Exception.
class IRow : public detail::Counted {
public:
    // CHAR and VARCHAR: the bytes exactly as stored (CHAR with its padding), no conversion.
    virtual bool Get(const std::string& column, std::string& value) const = 0;
    // SMALLINT, INTEGER and BIGINT without decimals; a BIGINT beyond 32 bits raises.
    virtual bool Get(const std::string& column, int& value) const = 0;
    // TIMESTAMP, or DATE (time then midnight).
    virtual bool Get(const std::string& column, Timestamp& value) const = 0;
    // BLOB: hands the blob id to `value` (a closed blob made by BlobFactory); a NULL column
    // leaves it without id, so that its Open raises.
    virtual bool Get(const std::string& column, Blob& value) const = 0;
};

// A stored blob, read segment by segment.
class IBlob : public detail::Counted {
public:
    virtual void Open() = 0;               // raises when the blob has no id or is open already
    virtual void Close() = 0;              // no-op when not open
    // Total length in bytes, largest segment and number of segments; each pointer may be null.
    virtual void GetInfo(int* size, int* largest, int* segments) = 0;
    // Reads the next segment (or as much of it as fits) into `buffer`: its byte count, 0 at the
    // end. `size` must lie between 1 and 65535.
    virtual int Read(void* buffer, int size) = 0;
};

// Raises Exception when the Firebird client library cannot be loaded (no handle is made then).
// `params` (creation parameters) is not used by an attachment.
Database DatabaseFactory(const std::string& server, const std::string& database,
                         const std::string& user, const std::string& password,
                         const std::string& role, const std::string& charset,
                         const std::string& params);
Transaction TransactionFactory(Database db, TAM am = amWrite, TIL il = ilConcurrency,
                               TLR lr = lrWait, TFF flags = TFF(0));
Statement StatementFactory(Database db, Transaction tr, const std::string& sql = "");
Blob BlobFactory(Database db, Transaction tr);

} // namespace IBPP
