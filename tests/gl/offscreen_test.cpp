// The offscreen context itself: a legacy context with the buffers the scene needs.
#include "gl_fixture.h"

TEST_F(GLTest, ContextHasDepthAlphaAndFixedFunction)
{
    GLint depth = 0, alpha = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    glGetIntegerv(GL_ALPHA_BITS, &alpha);
    EXPECT_GE(depth, 16);
    EXPECT_GE(alpha, 1);
    EXPECT_EQ(ModelviewDepth(), 1);
    glEnable(GL_LIGHTING);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}
