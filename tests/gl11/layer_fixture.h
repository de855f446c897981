// The same GL 1.1 calls through the native driver and through the web build's
// fixed-function layer (on that same driver), each in a fresh offscreen
// context, and the pixels of both compared.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gl11/fixed_function.h"

// The GL 1.1 and GLU calls a test scene makes, by either path.
struct Api {
    void (*Enable)(GLenum);
    void (*Disable)(GLenum);
    void (*MatrixMode)(GLenum);
    void (*LoadIdentity)();
    void (*LoadMatrixf)(const GLfloat*);
    void (*MultMatrixf)(const GLfloat*);
    void (*PushMatrix)();
    void (*PopMatrix)();
    void (*Translatef)(GLfloat, GLfloat, GLfloat);
    void (*Scalef)(GLfloat, GLfloat, GLfloat);
    void (*Perspective)(GLdouble, GLdouble, GLdouble, GLdouble);
    void (*LookAt)(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble);
    void (*Lightf)(GLenum, GLenum, GLfloat);
    void (*Lightfv)(GLenum, GLenum, const GLfloat*);
    void (*Materialfv)(GLenum, GLenum, const GLfloat*);
    void (*BlendFunc)(GLenum, GLenum);
    void (*PolygonOffset)(GLfloat, GLfloat);
    void (*Clear)(GLbitfield);
    void (*EnableClientState)(GLenum);
    void (*DisableClientState)(GLenum);
    void (*VertexPointer)(GLint, GLenum, GLsizei, const void*);
    void (*NormalPointer)(GLenum, GLsizei, const void*);
    void (*InterleavedArrays)(GLenum, GLsizei, const void*);
    void (*DrawArrays)(GLenum, GLint, GLsizei);
    void (*DrawElements)(GLenum, GLsizei, GLenum, const void*);
    void (*TexParameteri)(GLenum, GLenum, GLint);
    GLint (*Build2DMipmaps)(GLenum, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*);
    void (*GetFloatv)(GLenum, GLfloat*);
    GLenum (*GetError)();
    void (*Finish)();
};

extern const Api kNative;
extern const Api kLayer;

using Scene = std::function<void(const Api&)>;

// RGBA rows, bottom row first, of a scene drawn by one path into a fresh
// width x height context cleared to black; afterwards `after` may read GL state.
std::vector<uint8_t> Render(const Api& api, int width, int height, const Scene& scene,
                            const Scene& after = nullptr);

struct Difference {
    int largest;      // largest channel difference, colour channels only
    int pixelsOver;   // pixels with a channel off by more than the tolerance
};
Difference Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int tolerance);
