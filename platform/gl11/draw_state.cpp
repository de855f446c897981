// A batch's render state on the ES context: the capabilities, blend function,
// polygon offset and the program's switches a draw was made under, each sent
// only when it differs from what ES has already.
#include "platform/gl11/layer.h"

namespace gl11 {

void ApplyKey(Layer& layer, const DrawKey& key)
{
    const Program& p = layer.programs[layer.programLights];
    DrawKey& es_ = layer.applied;
    const auto toggle = [](bool& now, bool want, GLenum cap) {
        if (now == want) return;
        (want ? es.Enable : es.Disable)(cap);
        now = want;
    };
    toggle(es_.blend, key.blend, GL_BLEND);
    toggle(es_.depthTest, key.depthTest, GL_DEPTH_TEST);
    toggle(es_.offsetFill, key.offsetFill, GL_POLYGON_OFFSET_FILL);
    if (es_.blendSource != key.blendSource || es_.blendDestination != key.blendDestination) {
        es.BlendFunc(key.blendSource, key.blendDestination);
        es_.blendSource = key.blendSource;
        es_.blendDestination = key.blendDestination;
    }
    if (es_.offsetFactor != key.offsetFactor || es_.offsetUnits != key.offsetUnits) {
        es.PolygonOffset(key.offsetFactor, key.offsetUnits);
        es_.offsetFactor = key.offsetFactor;
        es_.offsetUnits = key.offsetUnits;
    }
    if (es_.lighting != key.lighting) {
        es.Uniform1i(p.uLighting, key.lighting ? 1 : 0);
        es_.lighting = key.lighting;
    }
    if (es_.texturing != key.texturing) {
        es.Uniform1i(p.uTexturing, key.texturing ? 1 : 0);
        es_.texturing = key.texturing;
    }
    if (es_.mixedBlend != key.mixedBlend) {
        es.Uniform1i(p.uMixedBlend, key.mixedBlend ? 1 : 0);
        es_.mixedBlend = key.mixedBlend;
    }
}

}  // namespace gl11
