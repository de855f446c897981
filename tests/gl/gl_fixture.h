// Test fixtures: a current offscreen GL context for each test, with checks
// for the state that every draw operation must leave alone; and the same
// context with the scene set up in it, as after a window's creation.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "platform/offscreen/offscreen.h"
#include "scene/scene.h"

class GLTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 64;

    void SetUp() override
    {
        ASSERT_TRUE(gl_.Open(kWidth, kHeight)) << gl_.error();
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    void TearDown() override
    {
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "GL error left by the test";
        gl_.Close();
    }

    static GLint ModelviewDepth()
    {
        GLint depth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        return depth;
    }

    plat::OffscreenGL gl_;
};

class SceneTest : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        ASSERT_EQ(Initialize(kWidth, kHeight), 1);
    }
};
