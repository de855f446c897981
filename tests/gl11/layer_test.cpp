// The fixed-function layer against the native GL it imitates, call for call:
// matrices after the same calls, the lit colour of one vertex under one spot
// light, the mipmap chain byte for byte.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "gl11/layer_fixture.h"
#include "platform/gl11/layer.h"
#include "platform/gl11/mipmap.h"
#include "scene/glow.h"

namespace {

const GLfloat kSkew[16] = {0.9f, 0.1f, -0.3f, 0, 0.2f, 1.1f, 0.4f, 0, -0.5f, 0.3f, 0.8f, 0, 12, -7, 3, 1};

struct MatrixCase {
    const char* name;
    void (*calls)(const Api&);
};

const MatrixCase kMatrixCases[] = {
    {"the demo's projection and view", [](const Api& g) {
         g.MatrixMode(GL_PROJECTION);
         g.Perspective(85.0, 1024.0 / 768.0, 4.0, 100000.0);
         g.MatrixMode(GL_MODELVIEW);
         g.LookAt(-9321.5, 4410.0, 12345.0, -100230.0, 0.0, 52340.0, 0.0, 0.0, 1.0);
     }},
    {"a box's push, translate, scale, pop and a mover's", [](const Api& g) {
         g.LookAt(10.01, 10.01, 200.01, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0);
         g.PushMatrix();
         g.Translatef(-5534.0f, 1200.5f, -512.3f);
         g.Scalef(312.0f, -44.4f, 10.0f);
         g.PopMatrix();
         g.PushMatrix();
         g.Translatef(4000.0f + 187.5f, -2000.0f, 100.0f);
         g.Scalef(3.44f, 3.44f, 5.1f);
     }},
    {"a loaded and a multiplied matrix, both stacks", [](const Api& g) {
         g.MatrixMode(GL_PROJECTION);
         g.LoadMatrixf(kSkew);
         g.PushMatrix();
         g.MultMatrixf(kSkew);
         g.MatrixMode(GL_MODELVIEW);
         g.MultMatrixf(kSkew);
         g.Translatef(1.5f, 2.5f, -3.5f);
         g.MultMatrixf(kSkew);
     }},
};

TEST(FixedFunctionLayer, MatricesMatchTheNativeDriverAfterTheSameCalls)
{
    for (const MatrixCase& c : kMatrixCases) {
        GLfloat got[2][2][16];  // path, matrix
        for (int path = 0; path < 2; ++path) {
            Render(path ? kLayer : kNative, 8, 8, c.calls, [&](const Api& g) {
                g.GetFloatv(GL_MODELVIEW_MATRIX, got[path][0]);
                g.GetFloatv(GL_PROJECTION_MATRIX, got[path][1]);
            });
        }
        for (int m = 0; m < 2; ++m)
            for (int i = 0; i < 16; ++i)
                EXPECT_NEAR(got[1][m][i], got[0][m][i], 2e-6 * std::fmax(1.0, std::fabs(got[0][m][i])))
                    << c.name << (m ? ", projection" : ", modelview") << " element " << i;
    }
}

struct SpotCase {
    const char* name;
    GLfloat position[4];   // eye coordinates (identity modelview)
    GLfloat direction[3];
    GLfloat cutoff, exponent;
    GLfloat attenuation[3];
    GLfloat shininess;
    bool lit;              // the light adds to the ambient-only colour
};

const SpotCase kSpotCases[] = {
    {"in the cone, straight on", {0, 0, 40, 1}, {0, 0, -1}, 30, 0, {1, 0, 0}, 0, true},
    {"in the cone, 20 degrees off its axis", {0, 0, 40, 1}, {0.342f, 0, -0.940f}, 30, 0, {1, 0, 0}, 0, true},
    {"outside the cone, 40 degrees off", {0, 0, 40, 1}, {0.643f, 0, -0.766f}, 30, 0, {1, 0, 0}, 0, false},
    {"from the side, 60 degrees to the normal", {86.6f, 0, 40, 1}, {-0.866f, 0, -0.5f}, 10, 2, {1, 0, 0}, 0, true},
    {"near, with distance attenuation", {0, 10, 30, 1}, {0, -0.2f, -1}, 45, 1, {0.5f, 0.02f, 0.0005f}, 8, true},
    {"far, with distance attenuation", {0, 300, 900, 1}, {0, -0.32f, -1}, 45, 1, {0.5f, 0.002f, 1e-6f}, 8, true},
    {"in the cone, 45 degrees to the normal", {50, 0, 40, 1}, {-0.707f, 0, -0.707f}, 25, 0, {1, 0, 0}, 0, true},
    {"behind the surface", {0, 0, -200, 1}, {0, 0, 1}, 60, 0, {1, 0, 0}, 0, false},
    {"directional, no cone", {0.3f, 0.4f, 1, 0}, {0, 0, -1}, 180, 0, {1, 0, 0}, 20, true},
};

TEST(FixedFunctionLayer, LitColourOfAVertexUnderOneSpotLight)
{
    const GLfloat ambient[4] = {0.1f, 0.05f, 0.2f, 1}, diffuse[4] = {0.6f, 0.5f, 0.4f, 1},
                  specular[4] = {0.7f, 0.9f, 0.3f, 1}, materialAmbient[4] = {0.4f, 0.5f, 0.6f, 0.9f},
                  materialDiffuse[4] = {0.8f, 0.3f, 0.5f, 0.7f}, materialSpecular[4] = {0.5f, 0.6f, 0.9f, 1},
                  vertex[3] = {0, 0, -10}, normal[3] = {0, 0.2f, 1};
    for (const SpotCase& c : kSpotCases) {
        // One point of size 1, in the middle of a 9 x 9 view, carries the vertex's colour.
        const Scene point = [&](const Api& g) {
            g.MatrixMode(GL_PROJECTION);
            g.Perspective(60.0, 1.0, 1.0, 1000.0);
            g.MatrixMode(GL_MODELVIEW);
            g.Enable(GL_LIGHTING);
            g.Enable(GL_LIGHT0);
            g.Lightfv(GL_LIGHT0, GL_AMBIENT, ambient);
            g.Lightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
            g.Lightfv(GL_LIGHT0, GL_SPECULAR, specular);
            g.Lightfv(GL_LIGHT0, GL_POSITION, c.position);
            g.Lightfv(GL_LIGHT0, GL_SPOT_DIRECTION, c.direction);
            g.Lightf(GL_LIGHT0, GL_SPOT_CUTOFF, c.cutoff);
            g.Lightf(GL_LIGHT0, GL_SPOT_EXPONENT, c.exponent);
            for (int k = 0; k < 3; ++k) g.Lightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION + k, c.attenuation[k]);
            g.Materialfv(GL_FRONT_AND_BACK, GL_AMBIENT, materialAmbient);
            g.Materialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, materialDiffuse);
            g.Materialfv(GL_FRONT_AND_BACK, GL_SPECULAR, materialSpecular);
            g.Materialfv(GL_FRONT_AND_BACK, GL_SHININESS, &c.shininess);
            g.EnableClientState(GL_VERTEX_ARRAY);
            g.EnableClientState(GL_NORMAL_ARRAY);
            g.VertexPointer(3, GL_FLOAT, 0, vertex);
            g.NormalPointer(GL_FLOAT, 0, normal);
            g.DrawArrays(GL_POINTS, 0, 1);
        };
        const auto native = Render(kNative, 9, 9, point), layer = Render(kLayer, 9, 9, point);
        const size_t centre = (4 * 9 + 4) * 4;
        const Difference d = Compare(native, layer, 1);
        EXPECT_EQ(d.pixelsOver, 0) << c.name << ": off by " << d.largest;
        EXPECT_EQ(layer[centre + 3], native[centre + 3]) << c.name << ": alpha";
        // Scene ambient alone: 0.2 x material ambient + light ambient x material ambient.
        const int ambientOnly = static_cast<int>(std::lround((0.2 * 0.4 + 0.1 * 0.4) * 255));
        EXPECT_EQ(native[centre] > ambientOnly + 2, c.lit) << c.name << ": red " << int{native[centre]};
    }
}

// An index list longer than a batch holds (one quad over and over, four
// corners) is cut into batches like any other draw: the same picture.
TEST(FixedFunctionLayer, AnIndexListLongerThanABatchDraws)
{
    const GLfloat corners[12] = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};
    std::vector<GLuint> indices(4 * (gl11::kBatchIndices / 6 + 1));
    for (size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<GLuint>(i % 4);
    const Scene quads = [&](const Api& g) {
        g.EnableClientState(GL_VERTEX_ARRAY);
        g.VertexPointer(3, GL_FLOAT, 0, corners);
        g.DrawElements(GL_QUADS, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
    };
    const auto native = Render(kNative, 8, 8, quads), layer = Render(kLayer, 8, 8, quads);
    EXPECT_EQ(Compare(native, layer, 0).pixelsOver, 0);
    EXPECT_EQ(layer[0], 255) << "the quad covers the picture";
}

TEST(FixedFunctionLayer, MipmapLevelsMatchGluByteForByte)
{
    BuildGlowImage();
    std::vector<uint8_t> noise(16 * 16 * 4);
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint8_t>((i * 7919u) ^ (i >> 3) * 31u);
    struct Image {
        const uint8_t* pixels;
        int width, height;
    } const images[] = {{mtex, texo, texo}, {noise.data(), 16, 16}, {noise.data(), 8, 2}, {noise.data(), 1, 4}};
    for (const Image& image : images) {
        std::vector<uint8_t> levels[2];  // every level, one after the other, by path
        for (int path = 0; path < 2; ++path) {
            const Scene upload = [&](const Api& g) {
                EXPECT_EQ(g.Build2DMipmaps(GL_TEXTURE_2D, GL_RGBA, image.width, image.height, GL_RGBA,
                                           GL_UNSIGNED_BYTE, image.pixels), 0);
            };
            Render(path ? kLayer : kNative, 4, 4, upload, [&](const Api&) {
                if (path) glBindTexture(GL_TEXTURE_2D, gl11::g_layer.texture);
                for (int level = 0; level < gl11::MipLevelCount(image.width, image.height); ++level) {
                    GLint w = 0, h = 0;
                    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
                    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
                    std::vector<uint8_t> texels(static_cast<size_t>(w) * h * 4);
                    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
                    levels[path].insert(levels[path].end(), texels.begin(), texels.end());
                }
            });
        }
        EXPECT_GT(levels[0].size(), static_cast<size_t>(image.width * image.height * 4));
        EXPECT_TRUE(levels[0] == levels[1]) << image.width << " x " << image.height;
    }
}

}  // namespace
