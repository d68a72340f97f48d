// Until the window exists: deal a first board and print it.
#include <cstdio>

#include "game/karoblen_doc.h"

int main()
{
    CKaroblenDoc doc;
    doc.OnNewDocument();
    for (int r = 0; r < doc.GetHeight(); ++r) {
        for (int c = 0; c < doc.GetWidth(); ++c)
            std::printf(" %c", "RBYGD"[doc.GetTile(c, r)]);
        std::printf("\n");
    }
    return 0;
}
