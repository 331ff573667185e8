#include "assetgen/pictures/catalogue.h"

namespace assetgen::pictures {

std::vector<Picture> Catalogue() {
    std::vector<Picture> all;
    AddScreenPictures(all);
    AddStoryPictures(all);
    AddInterfacePictures(all);
    AddPausePictures(all);
    AddPortraitPictures(all);
    AddEffectPictures(all);
    AddSceneryPictures(all);
    AddBossPictures(all);
    return all;
}

}  // namespace assetgen::pictures
