// What a host draws around the scene: a framebuffer of the scene's own
// (--scale, --samples in a saver's window) or the frame rate over the picture
// (--fps). A host makes the pieces its options ask for and hands them to its
// loop; a host that needs none passes none and links none of their code.
#pragma once

#include <cstdint>

class FramePiece {
public:
    virtual ~FramePiece() = default;
    // A fresh rendering context that draws at width x height pixels.
    virtual void Open(int32_t /*width*/, int32_t /*height*/) {}
    // The drawing size changed.
    virtual void Resize(int32_t /*width*/, int32_t /*height*/) {}
    virtual void Begin() {}               // before the scene is drawn
    virtual void End(uint32_t /*tick*/) {}  // after it, before the swap; tick in ms
    virtual void Close() {}               // before the context goes
};

inline constexpr int MAX_FRAME_PIECES = 4;

// One loop's pieces, outermost first: they begin in that order and end in the
// reverse one, so an outer piece draws over whatever an inner one shows.
struct FramePieces {
    FramePiece* pieces[MAX_FRAME_PIECES] = {};
    int count = 0;

    void Add(FramePiece* piece)
    {
        if (count < MAX_FRAME_PIECES) pieces[count++] = piece;
    }
    void Open(int32_t width, int32_t height)
    {
        for (int i = 0; i < count; ++i) pieces[i]->Open(width, height);
    }
    void Resize(int32_t width, int32_t height)
    {
        for (int i = 0; i < count; ++i) pieces[i]->Resize(width, height);
    }
    void Begin()
    {
        for (int i = 0; i < count; ++i) pieces[i]->Begin();
    }
    void End(uint32_t tick)
    {
        for (int i = count - 1; i >= 0; --i) pieces[i]->End(tick);
    }
    void Close()
    {
        for (int i = count - 1; i >= 0; --i) pieces[i]->Close();
    }
};
