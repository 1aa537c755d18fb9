// The layer's error type.
#include <ibpp.h>

namespace IBPP {

Exception::Exception(std::string message) : message_(std::move(message)) {}

const char* Exception::what() const noexcept
{
    return message_.c_str();
}

namespace detail {

void nullHandle()
{
    throw Exception("The database object handle is null.");
}

} // namespace detail

} // namespace IBPP
