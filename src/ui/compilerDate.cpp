#include "ui/compilerDate.h"

#include <array>
#include <utility>

std::string compilerDate(const std::string& buildDate) {
    if (buildDate.size() < 11)
        return buildDate;
    static const std::array<std::pair<const char*, const char*>, 11> months = {{
        {"Jan", "January"},
        {"Feb", "February"},
        {"Mar", "March"},
        {"Apr", "April"},
        {"Jun", "June"},
        {"Jul", "July"},
        {"Aug", "August"},
        {"Sep", "September"},
        {"Oct", "October"},
        {"Nov", "November"},
        {"Dec", "December"},
    }};
    std::string month = buildDate.substr(0, 3);
    for (const auto& [shortName, longName] : months)
        if (month == shortName)
            month = longName;
    const std::string day = buildDate[4] == ' ' ? buildDate.substr(5, 1) : buildDate.substr(4, 2);
    const std::string year = buildDate.substr(7, 4);
    return month + " " + day + ", " + year;
}

std::string compilerDate() {
    return compilerDate(__DATE__);
}
