// KRVgFiles: the console inspection tool the launcher runs to look into WAD
// files, folders of PWADs and saved games.

#include "gfiles/tool.h"

int main(int argc, char** argv) {
    return krv::gfiles::runTool(argc, argv);
}
