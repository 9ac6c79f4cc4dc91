#include "launcher/options/model_packs.h"

#include "common/ci_path.h"
#include "common/safe_names.h"

#include <initializer_list>

namespace krv {

namespace {

// The folders and definition files one pack installs.
const std::initializer_list<const char*> kPack1Folders = {
    "Decorations", "Flames",   "HudWeapons", "Items",   "Marine",     "Nature",
    "Spheres",     "Splashes", "Tech",       "Weapons", "Lod/Common", "Lod/Standard"};
const std::initializer_list<const char*> kPack1MonsterFolders = {
    "Monsters/ArchVile", "Monsters/BossBrain",  "Monsters/BossCube",  "Monsters/Bruiser",
    "Monsters/Caco",     "Monsters/Cyberdemon", "Monsters/Demon",     "Monsters/Imp",
    "Monsters/Keen",     "Monsters/LostSoul",   "Monsters/Mancubus",  "Monsters/Pain",
    "Monsters/Revenant", "Monsters/Soldiers",   "Monsters/Soldiers2", "Monsters/Spider",
    "Monsters/SSdude",   "Monsters/Squished"};
const std::initializer_list<const char*> kPack1ModelDefs = {
    "Decorations.ded", "FlameModels.ded", "HudWeapons.ded", "Items.ded",     "Lod.ded",
    "Monsters.ded",    "Players.ded",     "Splashes.ded",   "Weapons.ded",   "Grenade.ded",
    "ExtraFX.ded",     "lod-grenade.ded", "WeapSmoke.ded",  "WeapSmokeA.ded"};
const std::initializer_list<const char*> kPack1CustomDefs = {
    "Orrin's pistol packing zombies.ded", "Standard chaingun.ded", "Splash bubbles effect.ded"};

// Removes what exists of one kind inside the installation root, noting
// what stays behind.
class Remover {
public:
    Remover(const std::string& root, std::vector<std::string>& left) : root_(root), left_(left) {}

    void folder(const std::string& path) {
        if (ci::isFolder(path) && !ci::removeTreeInside(root_, path))
            left_.push_back(path);
    }
    void file(const std::string& path) {
        if (ci::isFile(path) && !ci::removeFileInside(root_, path))
            left_.push_back(path);
    }
    void folders(const std::string& base, std::initializer_list<const char*> names) {
        for (const char* name : names)
            folder(base + ci::nativeSeparators(name));
    }
    void files(const std::string& base, std::initializer_list<const char*> names) {
        for (const char* name : names)
            file(base + name);
    }

private:
    std::string root_;
    std::vector<std::string>& left_;
};

bool md2Has(const InstallPaths& paths, const char* relative) {
    return ci::isFolder(paths.modelFolder + ci::nativeSeparators(relative));
}

// "Lod" holds a part of each of the two packs; it goes when neither remains.
void removeLodUnlessUsedBy(const InstallPaths& paths, const char* otherPacksPart, Remover& r) {
    if (!md2Has(paths, otherPacksPart))
        r.folder(paths.modelFolder + "Lod");
}

void removeBasePack(const InstallPaths& paths, Remover& r) {
    r.folders(paths.modelFolder, kPack1Folders);
    removeLodUnlessUsedBy(paths, "Lod/Enhanced", r);
    r.folders(paths.modelFolder, kPack1MonsterFolders);
    r.files(paths.modelDefsFolder, kPack1ModelDefs);
    r.files(paths.customDefsFolder, kPack1CustomDefs);
    // What the listed folders leave in "Monsters" is the pack's too; it is
    // kept only while a part of the pack could not be removed.
    if (!md2Has(paths, "Monsters/Soldiers2"))
        r.folder(paths.modelFolder + "Monsters");
}

void removeBraskenPack(const InstallPaths& paths, Remover& r) {
    r.folder(paths.modelFolder + "Brasken");
    r.folder(paths.braskenDefsFolder);
    r.file(paths.customDefsFolder + "Brasken pistol packing zombies.ded");
    r.folder(paths.modelFolder + ci::nativeSeparators("Lod/Enhanced"));
    removeLodUnlessUsedBy(paths, "Lod/Standard", r);
}

void removeQuilspack(const InstallPaths& paths, Remover& r) {
    r.folder(paths.modelFolder + "Quilspack");
    r.folder(paths.quilspackDefsFolder);
}

// The textures the packs' models share go with the last pack using them.
void removeSharedTexturesWhenUnused(const InstallPaths& paths, Remover& r) {
    if (md2Has(paths, "Hudweapons") || md2Has(paths, "Quilspack") || md2Has(paths, "Brasken"))
        return;
    r.file(paths.modelFolder + "shiny.png");
    r.file(paths.modelFolder + "metallic.png");
}

} // namespace

std::vector<std::string> deleteModelPacks(const InstallPaths& paths,
                                          const ModelPackRemoval& removal, ModelPackState& packs) {
    std::vector<std::string> left;
    Remover r(paths.root, left);
    if (removal.pack1) {
        removeBasePack(paths, r);
        packs.pack1 = false;
    }
    if (removal.pack2) {
        removeBraskenPack(paths, r);
        packs.pack2 = false;
    }
    if (removal.quilspack) {
        removeQuilspack(paths, r);
        packs.quilspack = false;
    }
    if (removal.any())
        removeSharedTexturesWhenUnused(paths, r);
    return left;
}

} // namespace krv
