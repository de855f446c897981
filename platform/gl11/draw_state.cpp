// A batch's render state on the ES context: the capabilities, blend function
// and polygon offset a draw was made under, each sent only when it differs
// from what ES has already.
#include "platform/gl11/layer.h"

namespace gl11 {

void ApplyKey(Layer& layer, const DrawKey& key)
{
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
}

}  // namespace gl11
