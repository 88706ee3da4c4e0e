#pragma once

#include <exception>
#include <string>

// Errors of the flash-controller drivers; the texts are what the user is shown.

class FlashPageError : public std::exception {
public:
    const char* what() const noexcept override { return "Invalid flash page"; }
};

class FlashRegionError : public std::exception {
public:
    const char* what() const noexcept override { return "Invalid lock region"; }
};

class FlashLockError : public std::exception {
public:
    const char* what() const noexcept override { return "Flash page is locked"; }
};

class FlashCmdError : public std::exception {
public:
    const char* what() const noexcept override { return "Flash command failed"; }
};

class NvmFlashCmdError : public std::exception {
public:
    explicit NvmFlashCmdError(const char* message) : message(message) {}
    const char* what() const noexcept override { return message.c_str(); }

private:
    std::string message;
};

// A chip table row whose geometry a driver cannot handle; the part is refused
// before anything is sent to the target.
class FlashGeometryError : public std::exception {
public:
    FlashGeometryError(const char* condition, const char* source)
        : message(std::string("Unsupported flash geometry: ") + condition + " does not hold (" +
                  source + ")") {}
    const char* what() const noexcept override { return message.c_str(); }

    // Throws when `holds` is false.
    static void require(bool holds, const char* condition, const char* source) {
        if (!holds)
            throw FlashGeometryError(condition, source);
    }

private:
    std::string message;
};
