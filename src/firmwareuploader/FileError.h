#pragma once

#include <cstring>
#include <exception>
#include <string>

// Errors of the flasher's image files.
class FileError : public std::exception {};

// Carries the run-time library's error number; the text is the platform's for it.
class FileOpenError : public FileError {
public:
    explicit FileOpenError(int errorNumber)
        : errorNumber(errorNumber), message(std::strerror(errorNumber)) {}
    const char* what() const noexcept override { return message.c_str(); }
    int code() const { return errorNumber; }

private:
    int errorNumber;
    std::string message;
};

class FileIoError : public FileError {
public:
    explicit FileIoError(int errorNumber)
        : errorNumber(errorNumber), message(std::strerror(errorNumber)) {}
    const char* what() const noexcept override { return message.c_str(); }
    int code() const { return errorNumber; }

private:
    int errorNumber;
    std::string message;
};

class FileSizeError : public FileError {
public:
    const char* what() const noexcept override { return "file operation exceeds flash size"; }
};

class FileShortError : public FileError {
public:
    const char* what() const noexcept override { return "short write"; }
};
