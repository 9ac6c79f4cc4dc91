#include "launcher/music/music_controls.h"

namespace krv {

using namespace ids;

void declareMusicControls(Controls& controls) {
    controls.add(SoundFrame[1], ControlKind::Frame, {}, " Music Playlists ");
    controls.add(SelectionList, ControlKind::List, SoundFrame[1]);
    const char* captions[] = {"New", "Open", "Delete"};
    for (int i = 0; i < 3; ++i)
        controls.add(butMusic[i], ControlKind::Button, SoundFrame[1], captions[i]);
}

} // namespace krv
