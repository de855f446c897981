// The norvex wallpaper's page in Plasma's wallpaper dialog: frame-rate cap,
// render scale, edge smoothing and the flight's seed.
import QtQuick 2.15
import QtQuick.Controls 2.15 as Controls
import org.kde.kirigami 2.5 as Kirigami

Kirigami.FormLayout {
    id: root
    twinFormLayouts: parentLayout

    property alias formLayout: root
    property alias cfg_MaxFps: maxFps.value
    property real cfg_RenderScale
    property int cfg_Samples
    property int cfg_Seed

    Controls.SpinBox {
        id: maxFps
        Kirigami.FormData.label: "Frames a second at most:"
        from: 0
        to: 240
        textFromValue: function(value) { return value === 0 ? "No cap" : String(value) }
        valueFromText: function(text) { return text === "No cap" ? 0 : parseInt(text) }
    }

    Controls.Slider {
        id: renderScale
        Kirigami.FormData.label: "Render scale: " + Math.round(value * 100) + " %"
        from: 0.25
        to: 1
        stepSize: 0.05
        value: cfg_RenderScale
        onMoved: cfg_RenderScale = value
    }

    Controls.ComboBox {
        Kirigami.FormData.label: "Edge smoothing:"
        model: [{text: "Off", samples: 0}, {text: "2 samples", samples: 2}, {text: "4 samples", samples: 4},
                {text: "8 samples", samples: 8}]
        textRole: "text"
        currentIndex: Math.max(0, [0, 2, 4, 8].indexOf(cfg_Samples))
        onActivated: cfg_Samples = model[index].samples
    }

    Controls.CheckBox {
        id: pinned
        Kirigami.FormData.label: "Flight:"
        text: "The same flight at every start"
        checked: cfg_Seed >= 0
        onToggled: cfg_Seed = checked ? seed.value : -1
    }

    Controls.SpinBox {
        id: seed
        Kirigami.FormData.label: "Seed:"
        enabled: pinned.checked
        from: 0
        to: 2147483647
        editable: true
        value: Math.max(cfg_Seed, 1)
        onValueModified: cfg_Seed = value
    }
}
