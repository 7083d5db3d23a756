#include "web/FileUrl.h"

#include <gtest/gtest.h>

#include "album/AlbumInfo.h"
#include "web/ScrapbookPaths.h"

// The page View HTML Pages opens, and the URL a browser is sent to for it.

TEST(PageLocation, IndexPageIsInTheFamilyFolderOfTheAlbumsNeighborhood) {
    AlbumInfo album;
    album.gamePath = "C:\\Program Files\\Maxis\\The Sims";
    album.familyName = "Smith";
    album.familyLot = "20";
    album.neighborhoodNumber = 1;
    EXPECT_EQ(scrapbookIndexPage(album),
              "C:\\Program Files\\Maxis\\The Sims\\UserData\\Web Pages\\Smith_20_Sim_Lane\\scrapbook1.html");
    album.neighborhoodNumber = 10;
    EXPECT_EQ(scrapbookIndexPage(album),
              "C:\\Program Files\\Maxis\\The Sims\\UserData10\\Web Pages\\Smith_20_Sim_Lane\\scrapbook1.html");
}

TEST(PageLocation, FileUrlNamesTheSameFileInAFormBrowsersTakeLiterally) {
    struct Case {
        const char* name;
        const char* path;
        const char* url;
    };
    const Case cases[] = {
        {"spaces of the game's folders",
         "C:\\Program Files\\Maxis\\The Sims\\UserData\\Web Pages\\Smith_20_Sim_Lane\\scrapbook1.html",
         "file:///C:/Program%20Files/Maxis/The%20Sims/UserData/Web%20Pages/Smith_20_Sim_Lane/scrapbook1.html"},
        {"network share", "\\\\attic\\games\\UserData2\\Web Pages\\Dubois_12_Sim_Lane\\scrapbook1.html",
         "file://attic/games/UserData2/Web%20Pages/Dubois_12_Sim_Lane/scrapbook1.html"},
        {"characters a URL reads as its own", "D:\\Sims #2\\100% fun?\\a.html",
         "file:///D:/Sims%20%232/100%25%20fun%3F/a.html"},
        {"characters a URL does not allow bare", "D:\\[a]{b}^`|<\"q\">\\a.html",
         "file:///D:/%5Ba%5D%7Bb%7D%5E%60%7C%3C%22q%22%3E/a.html"},
        {"control bytes", "D:\\tab\there\x7F\\a.html", "file:///D:/tab%09here%7F/a.html"},
        {"characters allowed in a path", "D:\\a&b=c+d,e;f@g!h'(i)~$-_.\\p.html",
         "file:///D:/a&b=c+d,e;f@g!h'(i)~$-_./p.html"},
        {"the code page's own letters stay for the widening",
         "C:\\Jeux\\Les Sims\\UserData\\Web Pages\\L\xE9vesque_3_Sim_Lane\\scrapbook1.html",
         "file:///C:/Jeux/Les%20Sims/UserData/Web%20Pages/L\xE9vesque_3_Sim_Lane/scrapbook1.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fileUrlOf(c.path), c.url);
    }
}
