#pragma once
// Every picture of the game: its file name, size, colour key and how it is drawn.

#include <functional>
#include <string>
#include <vector>

#include "assetgen/pictures/canvas.h"

namespace assetgen::pictures {

struct Picture {
    std::string name;  // the file name in t\ without ".png", spaces and capitals as the game spells it
    int width = 0;
    int height = 0;
    ColourKey key = ColourKey::kBlack;
    std::function<Canvas()> draw;  // returns the art at width x height; the key rules are applied after
    // Full-screen pictures: the size they are shown at (800 x 600, the story 800 x 1700); 0 otherwise.
    int shownWidth = 0;
    int shownHeight = 0;

    bool FullScreen() const { return shownWidth > 0; }
};

// In contact-sheet order: interface, screens, portraits, effects, scenery, bosses.
std::vector<Picture> Catalogue();

// Each group adds its own pictures.
void AddInterfacePictures(std::vector<Picture>& out);
void AddPausePictures(std::vector<Picture>& out);
void AddScreenPictures(std::vector<Picture>& out);
void AddStoryPictures(std::vector<Picture>& out);
void AddPortraitPictures(std::vector<Picture>& out);
void AddEffectPictures(std::vector<Picture>& out);
void AddSceneryPictures(std::vector<Picture>& out);
void AddBossPictures(std::vector<Picture>& out);

}  // namespace assetgen::pictures
