#pragma once

#include <string>

// The build date as the about box shows it ("October 14, 2020") from the compiler's
// date text ("Oct 14 2020", a day below 10 padded with a space).
std::string compilerDate(const std::string& buildDate);
std::string compilerDate();
