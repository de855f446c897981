// The preferences entry GNOME Shell 45 and later load (ES modules); untested,
// like modules/extension.js.
import Adw from 'gi://Adw';
import Gio from 'gi://Gio';
import Gtk from 'gi://Gtk';
import {ExtensionPreferences} from 'resource:///org/gnome/Shell/Extensions/js/extensions/prefs.js';
import {fillPreferences} from './preferences.js';

export default class NorvexWallpaperPreferences extends ExtensionPreferences {
    fillPreferencesWindow(window) {
        fillPreferences(window, this.getSettings(), {Adw, Gio, Gtk});
    }
}
