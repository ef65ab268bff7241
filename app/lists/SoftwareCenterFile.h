// The Software Center's catalogue "SWCenter.db": an INI file with one section
// per software (the section name is its name), read into the entries that
// have a download address, in file order. The file comes from outside the
// program: any bytes give a list (possibly empty), never an error.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/TextFileEncoding.h"

namespace ad {

struct TSoftwareEntry {
    std::string Name;        // the section name
    std::string Desc;        // "Desc"
    std::string Ver;         // "Ver"
    std::string Category;    // "Category"
    std::string DLink;       // "DLink", never empty
    std::string HLink;       // "HLink"
    std::string LastUpdate;  // "LastUpdate", as stored
    int Rating = 0;          // "Rating": an integer as the profile functions read one, else 0
    double Size = 0;         // "Size" in megabytes (see ParseSoftwareSize)
};

struct TSoftwareCenterList {
    // How the file was stored: the texts are 8-bit text for Ansi, UTF-8 otherwise.
    TTextFileEncoding Encoding = TTextFileEncoding::Ansi;
    std::vector<TSoftwareEntry> Entries;
};

// The entries of the file's bytes: every section with a non-empty "DLink".
TSoftwareCenterList ReadSoftwareCenter(std::string_view bytes);

// How many of the five stars a rating shows yellow: the rating itself from 1
// to 5, none for any other value. The list and the details follow it both.
int RatingStars(int rating);

// A size as the file stores it: a decimal number with "." as its decimal
// point whatever the user's locale, blanks around it allowed. Anything else
// (empty, "12,5", "abc", infinities, NaN, a negative size) reads 0.
double ParseSoftwareSize(std::string_view text);

}  // namespace ad
