// The glow texture as OpenGL receives it: the finished image at level 0 of the
// bound texture, with every mipmap level down to 1 x 1.
#include <cstring>
#include <vector>

#include "gl_fixture.h"
#include "scene/glow.h"

TEST_F(GLTest, GlowTextureLoadsWithItsFullMipmapChain)
{
    FillDegreeTables();
    glBindTexture(GL_TEXTURE_2D, 0);
    settexmap01();

    for (int level = 0; level < 8; ++level) {
        GLint width = 0, height = 0, format = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_INTERNAL_FORMAT, &format);
        EXPECT_EQ(width, texo >> level) << "level " << level;
        EXPECT_EQ(height, texo >> level) << "level " << level;
        EXPECT_EQ(format, GL_RGBA) << "level " << level;
    }
    GLint beyond = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 8, GL_TEXTURE_WIDTH, &beyond);
    EXPECT_EQ(beyond, 0) << "the chain ends at 1 x 1";

    // Level 0 is the image built in mtex, byte for byte; the smallest level
    // is a dim grey, the whole glow averaged.
    std::vector<unsigned char> level0(GLOW_BYTES);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, level0.data());
    EXPECT_EQ(std::memcmp(level0.data(), mtex, GLOW_BYTES), 0);
    unsigned char last[4] = {};
    glGetTexImage(GL_TEXTURE_2D, 7, GL_RGBA, GL_UNSIGNED_BYTE, last);
    EXPECT_EQ(last[0], last[1]);
    EXPECT_EQ(last[1], last[2]);
    EXPECT_GT(last[0], 0);
    EXPECT_LT(last[0], 255);
}
