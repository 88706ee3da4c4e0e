#pragma once

#include <exception>

// Any failed exchange with the boot monitor.
class SambaError : public std::exception {
public:
    const char* what() const noexcept override { return "SAM-BA operation failed"; }
};
