// One monitor's renderer: a norvex process started as a Wayland client of the
// shell, so that its window is known by the client that made it; the window
// kept out of sight, out of every list and away from focus, and a clone of it
// shown in the monitor's background, under windows, desktop icons and panels.

var KILL_AFTER_MS = 500;  // SIGTERM first; SIGKILL if it is still there this long after
var FIT_TRIES = 8;        // size corrections per window (auto-maximise, constraints)

const SIGKILL = 9, SIGTERM = 15, SIGCONT = 18, SIGSTOP = 19;

// Starts argv as a Wayland client of this shell: {client, process}. GNOME 43
// spawns through the client; 44 and 45 take the compositor's context first;
// later versions make client and process in one call (only 43 is tested).
var spawnWaylandClient = function (Meta, launcher, argv, shellMajor) {
    if (Meta.WaylandClient.new_subprocess) {
        const client = Meta.WaylandClient.new_subprocess(global.context, launcher, argv);
        return {client, process: client.get_subprocess()};
    }
    const client = shellMajor >= 44
        ? Meta.WaylandClient.new(global.context, launcher) : Meta.WaylandClient.new(launcher);
    return {client, process: client.spawnv(global.display, argv)};
};

var Renderer = class {
    // env: the entry's modules and settings (see wallpaper.js); monitor: its
    // index and stage geometry; surface: the window's size in surface units;
    // onExit(renderer): called once when the process ends by itself.
    constructor(env, monitor, surface, onExit) {
        this._env = env;
        this.index = monitor.index;
        this.geometry = {x: monitor.x, y: monitor.y, width: monitor.width, height: monitor.height};
        this.paused = false;
        this._onExit = onExit;
        this._ending = false;
        this._window = null;
        this._clone = null;
        this._fits = 0;
        this._fitSource = 0;
        this._focusSource = 0;
        this._signals = [];
        this._windowSignals = [];
        this._start(surface);
    }

    _start(surface) {
        const {Gio, GLib, Meta} = this._env.gi;
        const {command} = this._env.core;
        const args = command.rendererArguments(this._env.binary, this.index, surface.width, surface.height,
            this._env.settings);
        // Should the shell die (a crash, a replacement), a renderer stopped
        // while hidden could never end by itself: the kernel ends it then.
        const setpriv = GLib.find_program_in_path('setpriv');
        const argv = setpriv ? [setpriv, '--pdeathsig', 'KILL', ...args] : args;
        const launcher = new Gio.SubprocessLauncher({flags: Gio.SubprocessFlags.NONE});
        for (const [name, value] of Object.entries(command.RENDERER_ENVIRONMENT))
            launcher.setenv(name, value, true);
        command.RENDERER_UNSET.forEach(name => launcher.unsetenv(name));
        const {client, process} = spawnWaylandClient(Meta, launcher, argv, this._env.shellMajor);
        this._client = client;
        this._process = process;
        this.pid = Number(process.get_identifier());
        this._connect(this._signals, global.display, 'window-created', (display, window) => this._adopt(window));
        this._connect(this._signals, global.display, 'notify::focus-window', () => {
            this._refuseFocus();
            this._queue('_focusSource', () => this._refuseFocus());  // once the change under way is over
        });
        process.wait_async(null, () => this._exited());
    }

    _running() {
        return this._process.get_identifier() !== null;
    }

    _adopt(window) {
        const {Clutter} = this._env.gi;
        const {Main} = this._env;
        if (this._window || !this._running() || !this._client.owns_window(window))
            return;
        this._window = window;
        this._client.hide_from_window_list(window);  // no overview, alt-tab, dash or window list
        window.stick();                              // on every workspace, none kept for it
        const actor = window.get_compositor_private();
        Main.wm.skipNextEffect(actor);
        // The window's own actor stays hidden: a hidden actor is neither drawn
        // nor picked, and whatever shows it again (mapping, its effects) is undone at once.
        actor.hide();
        this._connect(this._windowSignals, actor, 'notify::visible', () => actor.visible && actor.hide());
        this._connect(this._windowSignals, window, 'size-changed', () => this._queue('_fitSource', () => this._fit()));
        this._connect(this._windowSignals, window, 'shown', () => this._queue('_fitSource', () => this._fit()));
        this._connect(this._windowSignals, window, 'unmanaged', () => this._dropWindow());
        const g = this.geometry;
        this._clone = new Clutter.Clone({source: actor, reactive: false, x: g.x, y: g.y, width: g.width, height: g.height});
        Main.layoutManager._backgroundGroup.add_child(this._clone);
        this._refuseFocus();
    }

    // Runs work once the main loop is idle (outside the signal that asked for
    // it), however often it was asked for; `source` names the field holding it.
    _queue(source, work) {
        const {GLib} = this._env.gi;
        if (this[source] === 0)
            this[source] = GLib.idle_add(GLib.PRIORITY_DEFAULT, () => {
                this[source] = 0;
                work();
                return GLib.SOURCE_REMOVE;
            });
    }

    // The shell maximises a window as large as the work area; the renderer is
    // to draw at the monitor's size, so its window is set back to that size
    // (where it lies does not matter: only its clone is seen).
    _fit() {
        const {Meta} = this._env.gi;
        const window = this._window, g = this.geometry;
        if (!window || this._fits >= FIT_TRIES)
            return;
        const rect = window.get_frame_rect();
        if (!window.get_maximized() && rect.width === g.width && rect.height === g.height)
            return;
        this._fits++;
        if (window.get_maximized())
            window.unmaximize(Meta.MaximizeFlags.BOTH);
        window.move_resize_frame(true, rect.x, rect.y, g.width, g.height);
    }

    // New windows get the keyboard, and so does the top window when another
    // goes; this one hands it on at once (and again once the change that gave
    // it is over), to the last used window of the workspace or to none.
    _refuseFocus() {
        const {Meta} = this._env.gi;
        const display = global.display;
        if (!this._window || display.focus_window !== this._window)
            return;
        const time = display.get_current_time_roundtrip();
        const [next] = display.get_tab_list(Meta.TabList.NORMAL, global.workspace_manager.get_active_workspace());
        if (next)
            next.focus(time);
        else
            display.unset_input_focus(time);
    }

    owns(window) {
        return window === this._window;
    }

    // Hidden: the process is stopped, and draws nothing until continued.
    setPaused(paused) {
        if (paused === this.paused || !this._running())
            return;
        this.paused = paused;
        this._process.send_signal(paused ? SIGSTOP : SIGCONT);
    }

    _dropWindow() {
        this._disconnect(this._windowSignals);
        if (this._clone)
            this._clone.destroy();
        this._clone = null;
        this._window = null;
    }

    // How the process ended, for the journal.
    get howItEnded() {
        const process = this._process;
        return process.get_if_signaled() ? `signal ${process.get_term_sig()}` : `exit status ${process.get_exit_status()}`;
    }

    _exited() {
        this._disconnect(this._signals);
        this._dropWindow();
        if (!this._ending)
            this._onExit(this);
    }

    // Ends the process (continued first if stopped, so that it can act on
    // SIGTERM) and takes its picture away at once.
    destroy() {
        const {GLib} = this._env.gi;
        this._ending = true;
        this._disconnect(this._signals);
        for (const source of ['_fitSource', '_focusSource']) {
            if (this[source])
                GLib.source_remove(this[source]);
            this[source] = 0;
        }
        this._dropWindow();
        if (!this._running())
            return;
        const process = this._process;
        process.send_signal(SIGTERM);
        process.send_signal(SIGCONT);
        GLib.timeout_add(GLib.PRIORITY_DEFAULT, KILL_AFTER_MS, () => {
            process.send_signal(SIGKILL);  // nothing once it has ended
            return GLib.SOURCE_REMOVE;
        });
    }

    _connect(list, object, signal, handler) {
        list.push([object, object.connect(signal, handler)]);
    }

    _disconnect(list) {
        list.splice(0).forEach(([object, id]) => object.disconnect(id));
    }
};
