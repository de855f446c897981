// The extension's preferences page: the frame-rate cap, the render scale, edge
// smoothing and the frame-rate line, each a key of its settings (a change
// restarts the renderers). Shared by both entry forms, like the core.

var SAMPLE_CHOICES = [0, 2, 4, 8];  // samples per pixel; 0: no smoothing

var fillPreferences = function (window, settings, {Adw, Gio, Gtk}) {
    const page = new Adw.PreferencesPage();
    const group = new Adw.PreferencesGroup({
        title: 'The city behind the windows',
        description: 'One norvex renderer draws each monitor; a change here restarts them.',
    });
    page.add(group);
    window.add(page);

    const spin = (key, lower, upper, step, digits) => {
        const button = new Gtk.SpinButton({
            adjustment: new Gtk.Adjustment({lower, upper, step_increment: step}), digits, valign: Gtk.Align.CENTER,
        });
        settings.bind(key, button, 'value', Gio.SettingsBindFlags.DEFAULT);
        return button;
    };
    const row = (title, subtitle, widget) => {
        const action = new Adw.ActionRow({title, subtitle, activatable_widget: widget});
        action.add_suffix(widget);
        group.add(action);
    };
    row('Frame-rate cap', 'Frames a second at most; 0 sets no cap', spin('max-fps', 0, 240, 1, 0));
    row('Render scale', 'Share of the monitor drawn, stretched to fill it (software rendering)',
        spin('render-scale', 0.25, 1, 0.05, 2));

    const smoothing = new Adw.ComboRow({
        title: 'Edge smoothing', subtitle: 'Samples per pixel',
        model: Gtk.StringList.new(SAMPLE_CHOICES.map(n => n ? `${n}×` : 'Off')),
    });
    const current = SAMPLE_CHOICES.indexOf(settings.get_int('samples'));
    smoothing.selected = current < 0 ? 0 : current;
    smoothing.connect('notify::selected', () => settings.set_int('samples', SAMPLE_CHOICES[smoothing.selected]));
    group.add(smoothing);

    const fps = new Gtk.Switch({valign: Gtk.Align.CENTER});
    settings.bind('show-fps', fps, 'active', Gio.SettingsBindFlags.DEFAULT);
    row('Frame rate', 'Shown in the lower-left corner of each monitor', fps);
};
