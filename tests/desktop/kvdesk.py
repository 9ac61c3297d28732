"""The desktop road tests' driver: Kalmorvaty from a fresh program folder on an X display of its own with
a real window manager (openbox), its own D-Bus session and screen-reader (AT-SPI) bus. A road finds
controls the way a screen reader does (role and accessible name), acts on them the way a person does
(pointer and keys through XTest, with xdotool), and checks the database afterwards with the engine's
own client (sqlite3 or psql).

A road script is a function of one Desk, run by run():

    def road(d):
        d.press('Způsoby platby')
        w = d.window('Způsoby platby...')
        ...
    kvdesk.run(road)

Environment:
  KV_PROGRAM_DIR   the built program folder (build/bin), copied into the road's own folder
  KV_TEST_PG       a libpq connection string of a PostgreSQL server, for the roads that need one
  KV_ROAD_DISPLAY  an X display to run on instead of a private Xvfb (e.g. :5 of "Xephyr :5", or :0),
                   to watch a road; openbox is started there only when no window manager runs
  KV_ROAD_SLOW     seconds to pause after every action, to follow a road by eye
  KV_ROAD_KEEP=1   keep the road's folder after a successful run (a failed one is always kept)
"""
import datetime
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

PYTHON = '/usr/bin/python3'
WAIT = 20.0           # seconds for any one condition: CI shares two cores among many tests
ROAD_LIMIT = 400      # the whole road, so the clean-up still runs before ctest's own timeout
SKIP = 77             # ctest's SKIP_RETURN_CODE for the roads

pyatspi = None        # imported once the road's own buses are known (it connects on first use)


class RoadFailure(Exception):
    pass


class RoadSkipped(Exception):
    pass


class _Timeout(BaseException):
    pass


_log_file = None


def log(text):
    line = '[%s] %s\n' % (datetime.datetime.now().strftime('%H:%M:%S.%f')[:-3], text)
    sys.stdout.write(line)
    sys.stdout.flush()
    if _log_file:
        _log_file.write(line)
        _log_file.flush()


def wait_for(condition, what, seconds=WAIT, interval=0.15):
    """The condition's first true value, polled; a RoadFailure naming what was awaited otherwise.
    An exception inside the condition counts as not yet (the accessibility tree changes under us)."""
    end = time.monotonic() + seconds
    last_error = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except (RoadFailure, _Timeout):
            raise
        except Exception as e:     # noqa: BLE001 -- objects vanish while windows change
            last_error = e
        if time.monotonic() > end:
            extra = ' (last error: %r)' % last_error if last_error else ''
            raise RoadFailure('waited %.0f s for %s%s' % (seconds, what, extra))
        time.sleep(interval)


# --- the accessibility tree

def name(acc):
    try:
        return acc.name or ''
    except Exception:
        return ''


def role(acc):
    try:
        return acc.getRoleName()
    except Exception:
        return ''


def has_state(acc, state):
    try:
        return acc.getState().contains(state)
    except Exception:
        return False


def showing(acc):
    return has_state(acc, pyatspi.STATE_SHOWING)


def children(acc):
    try:
        n = acc.childCount
    except Exception:
        return []
    out = []
    for i in range(n):
        try:
            c = acc.getChildAtIndex(i)
        except Exception:
            continue
        if c is not None:
            out.append(c)
    return out


def walk(acc, depth=0, into_tables=False, only_showing=True):
    """The accessible and everything below it. A grid's cells are many round trips, so a table is
    entered only when asked; a hidden branch is left out unless asked."""
    yield acc, depth
    if depth >= 40:
        return
    if not into_tables and depth > 0 and role(acc) in ('table', 'tree table'):
        return
    for c in children(acc):
        if only_showing and not showing(c):
            continue
        yield from walk(c, depth + 1, into_tables, only_showing)


def text_of(acc):
    """What an edit holds (its text), or for anything else its name."""
    try:
        t = acc.queryText()
        return t.getText(0, -1)
    except Exception:
        return name(acc)


def plain(label):
    return label.replace('&', '')


# --- processes

class _Process:
    """A child in a process group of its own, so what it starts goes with it."""

    def __init__(self, what, args, env=None, cwd=None, stdout=None, pass_fds=()):
        self.what = what
        self.popen = subprocess.Popen(args, env=env, cwd=cwd, stdin=subprocess.DEVNULL,
                                      stdout=stdout or subprocess.DEVNULL, stderr=subprocess.STDOUT,
                                      pass_fds=pass_fds, start_new_session=True)

    def running(self):
        return self.popen.poll() is None

    def stop(self):
        try:
            pgid = os.getpgid(self.popen.pid)
        except ProcessLookupError:
            pgid = None
        for sig, grace in ((signal.SIGTERM, 5.0), (signal.SIGKILL, 5.0)):
            if pgid is not None:
                try:
                    os.killpg(pgid, sig)
                except ProcessLookupError:
                    pass
            elif self.running():
                self.popen.send_signal(sig)
            try:
                self.popen.wait(grace)
                if pgid is None:
                    return
                # the leader has gone; what it started goes too
                try:
                    os.killpg(pgid, 0)
                except ProcessLookupError:
                    return
            except subprocess.TimeoutExpired:
                pass


def _read_line(fd, seconds, what):
    end = time.monotonic() + seconds
    data = b''
    while b'\n' not in data:
        left = end - time.monotonic()
        if left <= 0:
            raise RoadFailure('%s did not start' % what)
        ready, _, _ = select.select([fd], [], [], left)
        if ready:
            chunk = os.read(fd, 4096)
            if not chunk:
                raise RoadFailure('%s ended while starting' % what)
            data += chunk
    return data.split(b'\n', 1)[0].decode().strip()


# --- the database

def pg_settings():
    """host, port and user of KV_TEST_PG, or None when it is not set."""
    conn = os.environ.get('KV_TEST_PG', '').strip()
    if not conn:
        return None
    parts = dict(p.split('=', 1) for p in conn.split() if '=' in p)
    return parts.get('host', '127.0.0.1'), parts.get('port', '5432'), parts.get('user', 'postgres')


class Database:
    """The road's database, read with the engine's own command-line client. Rows come back as
    tuples of texts (NULL as None); quote identifiers with double quotes so a query serves both."""

    def __init__(self, folder, backend, pg_name=None):
        self.folder = folder
        self.backend = backend
        self.pg_name = pg_name

    def _run(self, sql):
        if self.backend == 'postgres':
            host, port, user = pg_settings()
            args = ['psql', '-X', '-q', '-h', host, '-p', port, '-U', user, '-d', self.pg_name,
                    '-v', 'ON_ERROR_STOP=1', '-At', '-F', '\x1f', '-R', '\x1e', '-P', 'null=\x15', '-c', sql]
        else:
            args = ['sqlite3', '-batch', '-noheader', '-cmd', '.timeout 10000', '-separator', '\x1f',
                    '-newline', '\x1e', '-nullvalue', '\x15', os.path.join(self.folder, 'Kalmorvaty.sqlite'),
                    sql]
        r = subprocess.run(args, capture_output=True, text=True, timeout=60)
        if r.returncode:
            raise RoadFailure('%s failed on %r: %s' % (args[0], sql, r.stderr.strip()))
        return r.stdout

    def rows(self, sql):
        out = self._run(sql).rstrip('\n')
        rows = [r for r in out.split('\x1e') if r != '' and r != '\n']
        return [tuple(None if v == '\x15' else v for v in r.lstrip('\n').split('\x1f')) for r in rows]

    def value(self, sql):
        rows = self.rows(sql)
        return rows[0][0] if rows else None

    def execute(self, sql):
        self._run(sql)

    def wait_rows(self, sql, check, what, seconds=WAIT):
        """Polls the query until check(rows) holds: the program writes after the window has moved on."""
        box = {}

        def ok():
            box['rows'] = self.rows(sql)
            return check(box['rows'])
        try:
            wait_for(ok, what, seconds, interval=0.3)
        except RoadFailure as e:
            raise RoadFailure('%s; the query %r last gave %r' % (e, sql, box.get('rows')))
        return box['rows']


# --- the desktop

PROGRAM_FILES = ('Kalmorvaty', 'InitDataServer.exe', 'Kalmorvaty.map', 'Kalmorvaty.zme', 'MAN')


class Desk:
    def __init__(self, road_name, backend='sqlite'):
        self.road_name = road_name
        self.backend = backend
        self.procs = []
        self.program = None
        self.app = None
        self.display = None
        self.framebuffer = None
        self.slow = float(os.environ.get('KV_ROAD_SLOW', '0') or 0)
        base = os.environ.get('KV_ROAD_TMP') or None
        self.root = tempfile.mkdtemp(prefix='kv-road-%s-' % road_name, dir=base)
        self.folder = os.path.join(self.root, 'program')
        self.home = os.path.join(self.root, 'home')
        self.bin = os.path.join(self.root, 'bin')           # first on the program's PATH
        for d in (self.folder, self.home, self.bin):
            os.makedirs(d)
        self.runtime = os.path.join(self.root, 'run')
        os.makedirs(self.runtime, mode=0o700)
        self.program_log = os.path.join(self.root, 'program.log')
        self.pg_name = None
        self.db = None

    # -- setting up

    def prepare_folder(self):
        source = os.environ.get('KV_PROGRAM_DIR')
        if not source or not os.path.isfile(os.path.join(source, 'Kalmorvaty')):
            raise RoadFailure('KV_PROGRAM_DIR=%r holds no built program' % source)
        for f in PROGRAM_FILES:
            src = os.path.join(source, f)
            if os.path.isdir(src):
                shutil.copytree(src, os.path.join(self.folder, f))
            elif os.path.exists(src):
                shutil.copy2(src, os.path.join(self.folder, f))
        args = [os.path.join(self.folder, 'InitDataServer.exe'), '--batch']
        if self.backend == 'postgres':
            pg = pg_settings()
            if pg is None:
                raise RoadSkipped('KV_TEST_PG is not set: no PostgreSQL server to run this road on '
                                  '(tools/test.sh starts one; or: source tools/pgtemp.sh; pgtemp_start)')
            host, port, user = pg
            self.pg_name = 'kv_road_%s_%d' % (self.road_name, os.getpid())
            args += ['--protocol', '1', '--server', '%s:%s' % (host, port), '--login', user,
                     '--database', self.pg_name]
        env = dict(os.environ, QT_QPA_PLATFORM='offscreen', HOME=self.home, LC_ALL='C.UTF-8')
        r = subprocess.run(args, cwd=self.folder, env=env, capture_output=True, text=True, timeout=120)
        if r.returncode:
            raise RoadFailure('InitDataServer.exe --batch failed (%d): %s%s' % (r.returncode, r.stdout, r.stderr))
        self.db = Database(self.folder, self.backend, self.pg_name)
        # The support notice shows once a day; today's date keeps it out of the roads' way.
        today = datetime.date.today()
        with open(os.path.join(self.folder, 'SETUP.INI'), 'wb') as f:
            f.write(('[DAR]\r\nPoslední ukázka=%d.%d.%04d\r\n' % (today.day, today.month, today.year))
                    .encode('cp1250'))

    def _start_display(self):
        chosen = os.environ.get('KV_ROAD_DISPLAY')
        if chosen:
            self.display = chosen
        else:
            r, w = os.pipe()
            try:
                # the screen kept in a file too (XWD), a picture of it on failure even without ImageMagick
                self.framebuffer = os.path.join(self.root, 'screen')
                os.makedirs(self.framebuffer)
                self.procs.append(_Process('Xvfb', ['Xvfb', '-displayfd', str(w), '-screen', '0', '1280x1024x24',
                                                    '-fbdir', self.framebuffer, '-nolisten', 'tcp', '-noreset'],
                                           pass_fds=(w,)))
                os.close(w)
                w = None
                self.display = ':' + _read_line(r, WAIT, 'Xvfb')
            finally:
                os.close(r)
                if w is not None:
                    os.close(w)
        log('display %s' % self.display)
        os.environ['DISPLAY'] = self.display
        if not self._window_manager_runs():
            self.procs.append(_Process('openbox', ['openbox', '--sm-disable'],
                                       env=dict(os.environ, HOME=self.home)))
            wait_for(self._window_manager_runs, 'openbox to manage the display')

    def _window_manager_runs(self):
        r = subprocess.run(['xprop', '-root', '-display', self.display, '_NET_SUPPORTING_WM_CHECK'],
                           capture_output=True, text=True)
        return r.returncode == 0 and 'window id' in r.stdout

    def _start_buses(self):
        r, w = os.pipe()
        try:
            self.procs.append(_Process('dbus-daemon', ['dbus-daemon', '--session', '--nofork', '--nopidfile',
                                                       '--print-address=%d' % w], pass_fds=(w,)))
            os.close(w)
            w = None
            address = _read_line(r, WAIT, 'the D-Bus session bus')
        finally:
            os.close(r)
            if w is not None:
                os.close(w)
        os.environ['DBUS_SESSION_BUS_ADDRESS'] = address
        os.environ['XDG_RUNTIME_DIR'] = self.runtime
        os.environ.pop('AT_SPI_BUS_ADDRESS', None)
        self.procs.append(_Process('at-spi-bus-launcher',
                                   ['/usr/libexec/at-spi-bus-launcher', '--launch-immediately'],
                                   env=dict(os.environ, HOME=self.home)))

        def a11y_bus():
            r = subprocess.run(['dbus-send', '--session', '--print-reply', '--dest=org.a11y.Bus', '/org/a11y/bus',
                                'org.a11y.Bus.GetAddress'], capture_output=True, text=True)
            return r.returncode == 0 and 'unix:' in r.stdout
        wait_for(a11y_bus, 'the accessibility bus')
        global pyatspi
        import pyatspi as module
        pyatspi = module

    def program_env(self):
        env = dict(os.environ)
        for k in ('QT_QPA_PLATFORM', 'QT_QPA_PLATFORMTHEME', 'QT_STYLE_OVERRIDE', 'SESSION_MANAGER'):
            env.pop(k, None)
        env.update(QT_QPA_PLATFORM='xcb', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_ACCESSIBILITY='1',
                   HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, '.config'),
                   XDG_CACHE_HOME=os.path.join(self.home, '.cache'),
                   XDG_DATA_HOME=os.path.join(self.home, '.local', 'share'),
                   LC_ALL='C.UTF-8', LANG='C.UTF-8',
                   PATH=self.bin + os.pathsep + env.get('PATH', '/usr/bin:/bin'))
        return env

    def start(self, beforehand=None):
        self.prepare_folder()
        if beforehand is not None:
            beforehand(self.db)
        self._start_display()
        self._start_buses()
        self.start_program()

    def start_program(self):
        log('starting the program in %s' % self.folder)
        self.program = _Process('Kalmorvaty', [os.path.join(self.folder, 'Kalmorvaty')], env=self.program_env(),
                                cwd=self.home, stdout=open(self.program_log, 'a'))
        self.procs.append(self.program)

        def on_bus():
            if not self.program.running():
                raise RoadFailure('the program ended while starting; its output is in %s' % self.program_log)
            for a in children(pyatspi.Registry.getDesktop(0)):
                if name(a) == 'Kalmorvaty':
                    try:
                        if a.get_process_id() != self.program.popen.pid:
                            continue
                    except Exception:
                        pass
                    return a
            return None
        self.app = wait_for(on_bus, 'the program on the accessibility bus', seconds=60)
        # start-up runs its splash and one-second pauses before the main window shows
        self.window('Kalmorvaty...', seconds=60)
        self.wait_active('Kalmorvaty...', seconds=60)

    def stop(self):
        for p in reversed(self.procs):
            p.stop()
        self.procs = []

    # -- windows

    def windows(self):
        return [w for w in children(self.app)]

    def showing_windows(self):
        return [w for w in self.windows() if showing(w)]

    def window(self, title, seconds=WAIT):
        """The program's window of that title once it shows."""
        return wait_for(lambda: next((w for w in self.windows() if name(w) == title and showing(w)), None),
                        'the window %r (showing: %r)' % (title, self.titles()), seconds)

    def gone(self, title, seconds=WAIT):
        wait_for(lambda: not any(name(w) == title and showing(w) for w in self.windows()),
                 'the window %r to go' % title, seconds)

    def titles(self):
        return [name(w) for w in self.showing_windows()]

    def stays_away(self, title, seconds, why):
        """Makes sure the window does not come within the time (what a blocked click must not open)."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if any(name(w) == title and showing(w) for w in self.windows()):
                raise RoadFailure(why)
            time.sleep(0.15)

    def stacking(self):
        """The titles of the managed windows as the window manager stacks them, bottom first."""
        r = subprocess.run(['xprop', '-root', '-display', self.display, '_NET_CLIENT_LIST_STACKING'],
                           capture_output=True, text=True)
        if r.returncode or '#' not in r.stdout:
            return []
        out = []
        for x in r.stdout.split('#', 1)[1].split(','):
            x = x.strip()
            if x:
                n = subprocess.run(['xdotool', 'getwindowname', str(int(x, 16))], capture_output=True, text=True)
                out.append(n.stdout.strip())
        return out

    def active_title(self):
        """The title of the window the window manager has made active (what a person types into)."""
        r = subprocess.run(['xdotool', 'getactivewindow', 'getwindowname'], capture_output=True, text=True)
        return r.stdout.strip() if r.returncode == 0 else None

    def wait_active(self, title, seconds=WAIT):
        """The window is active for the window manager and for the screen reader alike."""
        def active():
            w = next((w for w in self.windows() if name(w) == title and showing(w)), None)
            return w if w is not None and self.active_title() == title and has_state(w, pyatspi.STATE_ACTIVE) \
                else None
        try:
            return wait_for(active, 'the window %r to be active' % title, seconds)
        except RoadFailure as e:
            raise RoadFailure('%s; active: %r, showing: %r' % (e, self.active_title(), self.titles()))

    # -- controls

    def find(self, root, role_name=None, acc_name=None, index=0, seconds=WAIT, into_tables=False):
        """The index-th showing control under root of that role and accessible name."""
        def look():
            hits = [a for a, _ in walk(root, into_tables=into_tables)
                    if (role_name is None or role(a) == role_name)
                    and (acc_name is None or plain(name(a)) == plain(acc_name))]
            return hits[index] if len(hits) > index else None
        return wait_for(look, 'a %s named %r under %r' % (role_name or 'control', acc_name, name(root)), seconds)

    def present(self, root, role_name=None, acc_name=None):
        return any((role_name is None or role(a) == role_name) and (acc_name is None or plain(name(a)) == acc_name)
                   for a, _ in walk(root))

    def focused(self, root=None):
        """The control with the keyboard focus inside the active window (or root)."""
        roots = [root] if root is not None else [w for w in self.showing_windows()
                                                 if has_state(w, pyatspi.STATE_ACTIVE)]
        for r in roots:
            for a, _ in walk(r):
                if has_state(a, pyatspi.STATE_FOCUSED):
                    return a
        return None

    def wait_focus(self, acc_name, role_name=None, seconds=WAIT):
        def ok():
            f = self.focused()
            return f is not None and plain(name(f)) == acc_name and (role_name is None or role(f) == role_name)
        try:
            wait_for(ok, 'the focus on %r' % acc_name, seconds)
        except RoadFailure as e:
            f = self.focused()
            raise RoadFailure('%s; it is on %s %r' % (e, role(f) if f else None, name(f) if f else None))

    def enabled(self, acc):
        return has_state(acc, pyatspi.STATE_ENABLED) and has_state(acc, pyatspi.STATE_SENSITIVE)

    # -- acting as a person

    def _pause(self, seconds=0.05):
        time.sleep(max(seconds, self.slow))

    def centre(self, acc):
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if e.width <= 0 or e.height <= 0:
            raise RoadFailure('%s %r has no place on the screen' % (role(acc), name(acc)))
        return e.x + e.width // 2, e.y + e.height // 2

    def click(self, acc, button=1):
        """A real pointer click in the middle of the control, once it stands still on the screen."""
        def steady():
            a = self.centre(acc)
            time.sleep(0.1)
            return a if a == self.centre(acc) else None
        x, y = wait_for(steady, 'the %s %r to stand still' % (role(acc), name(acc)))
        # not "mousemove --sync": it waits for a motion that never comes when the pointer is there already
        subprocess.run(['xdotool', 'mousemove', str(x), str(y)], check=True, timeout=30)
        wait_for(lambda: self.pointer() == (x, y), 'the pointer at %d,%d' % (x, y), seconds=5)
        self._pause(0.05)
        subprocess.run(['xdotool', 'click', str(button)], check=True, timeout=30)
        self._pause()

    def pointer(self):
        r = subprocess.run(['xdotool', 'getmouselocation', '--shell'], capture_output=True, text=True, timeout=30)
        v = dict(line.split('=', 1) for line in r.stdout.split() if '=' in line)
        return int(v.get('X', -1)), int(v.get('Y', -1))

    def press(self, acc_name, root=None, role_name='push button', index=0):
        """Clicks the button of that accessible name (anywhere in the program, or under root)."""
        def where():
            roots = [root] if root is not None else self.showing_windows()
            hits = []
            for r in roots:
                hits += [a for a, _ in walk(r) if role(a) == role_name and plain(name(a)) == plain(acc_name)]
            return hits[index] if len(hits) > index else None
        acc = wait_for(where, 'a %s named %r (showing: %r)' % (role_name, acc_name, self.titles()))
        wait_for(lambda: self.enabled(acc), 'the %s %r to be enabled' % (role_name, acc_name))
        self.click(acc)
        return acc

    def key(self, *keys):
        subprocess.run(['xdotool', 'key', '--delay', '80'] + list(keys), check=True, timeout=60)
        self._pause(0.1)

    def type(self, text):
        """Types the text; a line break is the Return key (xdotool would send a line feed)."""
        for i, line in enumerate(text.split('\n')):
            if i:
                self.key('Return')
            if line:
                subprocess.run(['xdotool', 'type', '--delay', '40', '--', line], check=True, timeout=120)
        self._pause(0.1)

    def fill(self, acc, text):
        """Types the text into an edit (click, select all, type) until the edit holds it: typing a letter
        that is not on the keyboard remaps a key for a moment, and a busy machine can lose that race."""
        log('typing %r into %r' % (text, name(acc)))
        for attempt in range(4):
            self.click(acc)
            self.key('ctrl+a')
            self.key('BackSpace')
            if text:
                self.type(text)
            try:
                wait_for(lambda: text_of(acc) == text, 'the edit %r to hold %r' % (name(acc), text), seconds=8)
                return
            except RoadFailure:
                log('the edit %r holds %r after typing %r; typing again' % (name(acc), text_of(acc), text))
        raise RoadFailure('the edit %r never took the text %r (it holds %r)' % (name(acc), text, text_of(acc)))

    # -- message boxes

    def message(self, text_part, seconds=WAIT):
        """A showing dialog whose text contains text_part (a message box or question)."""
        def look():
            for w in self.showing_windows():
                if role(w) not in ('dialog', 'alert', 'frame', 'window'):
                    continue
                texts = [name(a) for a, _ in walk(w) if role(a) in ('label', 'static', 'text')]
                texts += [text_of(a) for a, _ in walk(w) if role(a) in ('label', 'static')]
                if any(text_part in t for t in texts):
                    return w
            return None
        try:
            return wait_for(look, 'a message saying %r' % text_part, seconds)
        except RoadFailure as e:
            raise RoadFailure('%s; showing: %r' % (e, self.titles()))

    def answer(self, dialog, button):
        self.press(button, root=dialog)

    # -- when something goes wrong

    def dump(self, out=sys.stdout):
        out.write('--- accessibility tree (showing windows; active: %r)\n' % self.active_title())
        if self.app is None:
            out.write('(the program never reached the bus)\n')
            return
        for w in self.windows():
            if not showing(w):
                out.write('[%s] %r (hidden)\n' % (role(w), name(w)))
                continue
            for a, depth in walk(w):
                extra = []
                if has_state(a, pyatspi.STATE_FOCUSED):
                    extra.append('focused')
                if has_state(a, pyatspi.STATE_ACTIVE):
                    extra.append('active')
                if role(a) in ('text', 'entry', 'password text') and text_of(a):
                    extra.append('text=%r' % text_of(a)[:60])
                out.write('%s[%s] %r%s\n' % ('  ' * depth, role(a), name(a),
                                             ' (%s)' % ', '.join(extra) if extra else ''))
        out.write('--- end of tree\n')

    def screenshot(self, path):
        """A picture of the whole screen: PNG through ImageMagick where it is installed, else the XWD
        file Xvfb keeps of its screen (ImageMagick's "display" or GIMP open it)."""
        if shutil.which('import'):
            r = subprocess.run(['import', '-display', self.display, '-window', 'root', path],
                               capture_output=True, timeout=60)
            if r.returncode == 0:
                return path
        if self.framebuffer and os.path.exists(os.path.join(self.framebuffer, 'Xvfb_screen0')):
            xwd = os.path.splitext(path)[0] + '.xwd'
            shutil.copyfile(os.path.join(self.framebuffer, 'Xvfb_screen0'), xwd)
            return xwd
        return None

    def drop_database(self):
        if self.backend == 'postgres' and self.pg_name:
            host, port, user = pg_settings()
            subprocess.run(['psql', '-X', '-q', '-h', host, '-p', port, '-U', user, '-d', 'postgres',
                            '-c', 'DROP DATABASE IF EXISTS "%s"' % self.pg_name], capture_output=True, timeout=60)


def run(road, backend='sqlite', beforehand=None):
    """Runs one road and exits with its result: 0 passed, 1 failed, 77 skipped. Every process the
    road started is stopped on every way out, also on ctest's SIGTERM and on the road's own time limit.
    beforehand(db), when given, stores what another station would have stored before the program starts."""
    road_name = os.path.splitext(os.path.basename(sys.argv[0]))[0]

    def on_signal(signum, frame):
        raise _Timeout('signal %d' % signum)
    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGALRM, on_signal)
    signal.alarm(ROAD_LIMIT)
    d = Desk(road_name, backend)
    global _log_file
    _log_file = open(os.path.join(d.root, 'road.log'), 'w')
    log('road %s in %s' % (road_name, d.root))
    status = 1
    try:
        d.start(beforehand)
        road(d)
        status = 0
        log('road %s passed' % road_name)
    except RoadSkipped as e:
        log('road %s skipped: %s' % (road_name, e))
        status = SKIP
    except (Exception, _Timeout) as e:
        log('ROAD %s FAILED: %s' % (road_name, e))
        traceback.print_exc(file=sys.stdout)
        traceback.print_exc(file=_log_file)
        try:
            signal.alarm(60)
            if d.app is not None:
                d.dump()
                d.dump(_log_file)
            shot = d.display and d.screenshot(os.path.join(d.root, 'failure.png'))
            log('screen: %s' % (shot or 'no picture could be taken'))
        except (Exception, _Timeout) as e2:
            log('no tree dump or picture: %r' % e2)
        log('the road\'s folder (program folder, program.log, database) is kept: %s' % d.root)
    finally:
        signal.alarm(0)
        signal.signal(signal.SIGTERM, signal.SIG_IGN)
        d.stop()
        try:
            with open(d.program_log, errors='replace') as f:
                tail = f.read()[-3000:]
            if status == 1 and tail.strip():
                log('program output (end):\n' + tail)
        except OSError:
            pass
        d.drop_database()
        if status != 1 and os.environ.get('KV_ROAD_KEEP') != '1':
            shutil.rmtree(d.root, ignore_errors=True)
    sys.exit(status)
