// The entry GNOME Shell 45 and later load (extensions as ES modules): it
// hands the shared core the shell's modules and the settings. Untested: the
// tests run GNOME Shell 43, which loads legacy/extension.js instead.
import Clutter from 'gi://Clutter';
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import * as Config from 'resource:///org/gnome/shell/misc/config.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';
import * as command from './command.js';
import * as renderer from './renderer.js';
import {Wallpaper} from './wallpaper.js';

export default class NorvexWallpaper extends Extension {
    enable() {
        this._wallpaper = new Wallpaper({
            gi: {Clutter, Gio, GLib, Meta}, Main, settings: this.getSettings(), extensionPath: this.path,
            shellMajor: parseInt(Config.PACKAGE_VERSION), core: {command, renderer},
        });
    }

    disable() {
        this._wallpaper.destroy();
        this._wallpaper = null;
    }
}
