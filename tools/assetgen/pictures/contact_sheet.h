#pragma once
// Previews for people: every picture scaled into one grid with its name, and the full-screen
// pictures as the player sees them.

#include <memory>
#include <string>

#include "assetgen/pictures/canvas.h"
#include "assetgen/pictures/catalogue.h"

namespace assetgen::pictures {

// What the texture loader makes of a picture: pixels equal to the key become fully transparent.
Canvas AsLoaded(const Canvas& keyed, ColourKey key);

// The picture as its cell of the sheet shows it. `keyed` is the picture after the key rules; what
// the loader would hide shows as a checkerboard.
Canvas Thumbnail(const Picture& picture, const Canvas& keyed);

class ContactSheet {
public:
    explicit ContactSheet(int count);
    void Add(const Picture& picture, const Canvas& thumbnail);
    Canvas& Sheet() { return sheet_; }

private:
    Canvas sheet_;
    int next_ = 0;
};

// A full-screen picture at 800 x 600 (the story at 800 x 1700) over a checkerboard where it is
// transparent, as the game shows it.
Canvas ScreenPreview(const Picture& picture, const Canvas& keyed);

}  // namespace assetgen::pictures
