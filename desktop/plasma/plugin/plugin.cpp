// The QML module org.norvex.frames: one type, NorvexFrames, for the
// wallpaper package's main.qml.
#include <QQmlExtensionPlugin>
#include <qqml.h>

#include "frames_item.h"

class FramesPlugin : public QQmlExtensionPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)
public:
    void registerTypes(const char* uri) override { qmlRegisterType<FramesItem>(uri, 1, 0, "NorvexFrames"); }
};

#include "plugin.moc"
