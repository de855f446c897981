// The preferences entry GNOME Shell 43 loads (scripts, `imports`).
/* exported init, fillPreferencesWindow */
const {Adw, Gio, Gtk} = imports.gi;
const ExtensionUtils = imports.misc.extensionUtils;
const Me = ExtensionUtils.getCurrentExtension();

function init() {}

function fillPreferencesWindow(window) {
    Me.imports.preferences.fillPreferences(window, ExtensionUtils.getSettings(), {Adw, Gio, Gtk});
}
