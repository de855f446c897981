// The entry GNOME Shell 43 loads (extensions as scripts, modules through
// `imports`): it hands the shared core the shell's modules and the settings.
/* exported init, enable, disable */
const {Clutter, Gio, GLib, Meta} = imports.gi;
const Main = imports.ui.main;
const Config = imports.misc.config;
const ExtensionUtils = imports.misc.extensionUtils;
const Me = ExtensionUtils.getCurrentExtension();

let wallpaper = null;

function init() {}

function enable() {
    wallpaper = new Me.imports.wallpaper.Wallpaper({
        gi: {Clutter, Gio, GLib, Meta}, Main, settings: ExtensionUtils.getSettings(), extensionPath: Me.path,
        shellMajor: parseInt(Config.PACKAGE_VERSION), core: {command: Me.imports.command, renderer: Me.imports.renderer},
    });
}

function disable() {
    wallpaper.destroy();
    wallpaper = null;
}
