// The norvex wallpaper: the city, drawn by a renderer process of its own and
// shown by the NorvexFrames item, black until its first frame.
import QtQuick 2.15
import org.norvex.frames 1.0

Rectangle {
    color: "black"

    NorvexFrames {
        anchors.fill: parent
        maxFps: wallpaper.configuration.MaxFps
        renderScale: wallpaper.configuration.RenderScale
        samples: wallpaper.configuration.Samples
        seed: wallpaper.configuration.Seed
    }
}
