#include "app/MainWindowTexts.h"

std::string photoCountText(int rows) {
    return "\t\t" + std::to_string(rows) + (rows == 1 ? " Photo" : " Photos");
}

std::string mainWindowTitle(const std::string& applicationTitle, const std::string& familyName) {
    if (familyName.empty())
        return applicationTitle;
    return applicationTitle + " - " + familyName + " Family Photo Album";
}
