// The layer's ES table filled with the native driver's own entry points: the
// layer then draws with the same rasteriser as the fixed-function GL it imitates.
// They are looked up past this program, whose GL 1.1 names route the scene.
#define GL_GLEXT_PROTOTYPES
#include "gl11/layer_fixture.h"
#include "gl11/scene_route.h"
#include "platform/gl11/es_api.h"

#define DRIVER(name) reinterpret_cast<decltype(&name)>(DriverFunction(#name))

void UseNativeEs()
{
    gl11::es = gl11::EsApi{
        .Enable = DRIVER(glEnable), .Disable = DRIVER(glDisable), .BlendFunc = DRIVER(glBlendFunc),
        .PolygonOffset = DRIVER(glPolygonOffset), .Viewport = DRIVER(glViewport),
        .ClearColor = DRIVER(glClearColor), .Clear = DRIVER(glClear), .GetError = DRIVER(glGetError),
        .CreateShader = DRIVER(glCreateShader), .ShaderSource = DRIVER(glShaderSource),
        .CompileShader = DRIVER(glCompileShader), .GetShaderiv = DRIVER(glGetShaderiv),
        .GetShaderInfoLog = DRIVER(glGetShaderInfoLog), .DeleteShader = DRIVER(glDeleteShader),
        .CreateProgram = DRIVER(glCreateProgram), .AttachShader = DRIVER(glAttachShader),
        .LinkProgram = DRIVER(glLinkProgram), .GetProgramiv = DRIVER(glGetProgramiv),
        .GetProgramInfoLog = DRIVER(glGetProgramInfoLog), .UseProgram = DRIVER(glUseProgram),
        .GetUniformLocation = DRIVER(glGetUniformLocation), .Uniform1i = DRIVER(glUniform1i),
        .Uniform4fv = DRIVER(glUniform4fv), .UniformMatrix4fv = DRIVER(glUniformMatrix4fv),
        .GenVertexArrays = DRIVER(glGenVertexArrays), .BindVertexArray = DRIVER(glBindVertexArray),
        .GenBuffers = DRIVER(glGenBuffers), .BindBuffer = DRIVER(glBindBuffer), .BufferData = DRIVER(glBufferData),
        .VertexAttribPointer = DRIVER(glVertexAttribPointer),
        .EnableVertexAttribArray = DRIVER(glEnableVertexAttribArray), .DrawElements = DRIVER(glDrawElements),
        .GenTextures = DRIVER(glGenTextures), .ActiveTexture = DRIVER(glActiveTexture),
        .BindTexture = DRIVER(glBindTexture), .TexParameteri = DRIVER(glTexParameteri),
        .TexImage2D = DRIVER(glTexImage2D), .PixelStorei = DRIVER(glPixelStorei)};
}
