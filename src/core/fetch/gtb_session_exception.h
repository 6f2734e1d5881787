#pragma once

#include <exception>

namespace tessaray {

// The exception of a rank job's fetch, the counterpart of CSessionException: thrown inside the
// fetch and turned into a result code there, never across the job's boundary.
class CGTB_SessionException : public std::exception {
public:
    explicit CGTB_SessionException(int code) : m_nCode(code) {}
    int GetCode() const { return m_nCode; }
    const char* what() const noexcept override { return "rank session failed"; }

private:
    int m_nCode;
};

} // namespace tessaray
