"""The Debian package on this machine, as an administrator and a clerk meet it: tools/package.sh makes it
from the build folder (lintian and appstreamcli pass it), apt-get installs it, a throwaway account in the
data folder's group (by a supplementary group, as "adduser NAME users" makes it) prepares the embedded
database with the set-up program and starts the program from PATH under the usual umask 022 on an X
display of its own until the main window shows, then closes it; apt-get removes the package and then
purges it, and the database outlives both.

Installing a package needs root and apt (skipped with a message elsewhere). Runs one at a time on a
machine (a lock in /run/lock, also across build folders and clones) and only where kalmorvaty is not
installed and there is no data folder, which may hold a firm's orders: the package, the data folder, the
account, the display and the temporary folder are gone afterwards, whatever happened.

Environment: KV_SOURCE_DIR (the source tree), KV_BUILD_DIR (the plain build, its program built).
"""
import contextlib
import datetime
import fcntl
import grp
import os
import pwd
import shutil
import signal
import sqlite3
import stat
import subprocess
import sys
import tempfile
import time

SKIP = 77
LIMIT = 360                 # seconds for the whole test, so the clean-up runs before ctest's timeout
WAIT = 60                   # seconds for the program to show its main window or to end
PACKAGE = 'kalmorvaty'
PROGRAM_FOLDER = '/usr/lib/kalmorvaty'
DATA_FOLDER = '/var/lib/kalmorvaty'
DATABASE = os.path.join(DATA_FOLDER, 'Kalmorvaty.sqlite')
DESKTOP_ENTRY = '/usr/share/applications/kalmorvaty.desktop'
GROUP = 'users'
MAIN_WINDOW = 'Kalmorvaty...'
USER_PATH = '/usr/bin:/bin'
LOCK = '/run/lock/kalmorvaty-package-test'


class Skipped(Exception):
    pass


class Failure(Exception):
    pass


class _Stopped(BaseException):
    pass


def log(text):
    print('[%s] %s' % (datetime.datetime.now().strftime('%H:%M:%S'), text), flush=True)


def run(args, what, **kwargs):
    r = subprocess.run(args, capture_output=True, text=True, stdin=subprocess.DEVNULL, **kwargs)
    if r.returncode:
        raise Failure('%s failed (%d):\n%s\n%s' % (what, r.returncode, r.stdout[-6000:], r.stderr[-6000:]))
    return r.stdout


def apt_get(*args):
    # Waits for another apt or dpkg of the machine instead of failing on its lock.
    return run(['apt-get', '-y', '-o', 'DPkg::Lock::Timeout=120'] + list(args), 'apt-get ' + ' '.join(args),
               env=dict(os.environ, DEBIAN_FRONTEND='noninteractive'))


def package_status():
    """dpkg's word for the package: "installed", "config-files" (removed, not purged) or "" (none)."""
    r = subprocess.run(['dpkg-query', '-W', '-f', '${db:Status-Status}', PACKAGE], capture_output=True, text=True)
    status = r.stdout.strip() if r.returncode == 0 else ''
    return '' if status == 'not-installed' else status


def wait_for(condition, what, seconds=WAIT):
    end = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure('waited %d s for %s' % (seconds, what))
        time.sleep(0.3)


def on_path(command):
    """What the command an ordinary user types runs, links followed; None when there is no such command."""
    found = shutil.which(command, path=USER_PATH)
    return os.path.realpath(found) if found else None


def tail(path):
    with open(path, errors='replace') as f:
        return f.read()[-3000:]


def check_all(claims):
    """Each (claim, holds) of a table; one failure names every claim that does not hold (a file
    that is not there to look at does not hold)."""
    wrong = []
    for claim, holds in claims:
        try:
            if not holds():
                wrong.append(claim)
        except OSError as e:
            wrong.append('%s (%s)' % (claim, e))
    if wrong:
        raise Failure('not so:\n  ' + '\n  '.join(wrong))


class _Process:
    """A child in a session of its own, stopped with everything it started."""

    def __init__(self, args, log_path, **kwargs):
        self.popen = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=open(log_path, 'ab'),
                                      stderr=subprocess.STDOUT, start_new_session=True, **kwargs)

    def stop(self):
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(self.popen.pid, sig)
            except ProcessLookupError:
                return
            try:
                self.popen.wait(5)
                return
            except subprocess.TimeoutExpired:
                pass


# --- the machine

def machine_allows_installing():
    if os.geteuid() != 0:
        raise Skipped('installing a package needs root: the test runs where the test command runs as root')
    missing = [tool for tool in ('apt-get', 'dpkg', 'useradd', 'userdel') if not shutil.which(tool)]
    if missing:
        raise Skipped('this machine has no %s to install packages and accounts with' % ', '.join(missing))


@contextlib.contextmanager
def machine_lock():
    with open(LOCK, 'w') as lock:
        end = time.monotonic() + 240
        while True:
            try:
                fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
                break
            except BlockingIOError:
                if time.monotonic() > end:
                    raise Skipped('another package test has held %s for four minutes' % LOCK)
                time.sleep(1)
        yield


def machine_untouched():
    if package_status():
        raise Skipped('kalmorvaty is installed on this machine (%s): the test installs and removes its own'
                      % package_status())
    if os.path.lexists(DATA_FOLDER):
        raise Skipped('%s exists on this machine and may hold orders: the test makes and removes its own'
                      % DATA_FOLDER)


def make_package(work):
    log('making the package')
    out = run(['bash', os.path.join(os.environ['KV_SOURCE_DIR'], 'tools', 'package.sh'), '--no-build', work],
              'tools/package.sh', env=dict(os.environ, KV_BUILD_DIR=os.environ['KV_BUILD_DIR']))
    deb = out.strip().splitlines()[-1]
    if not (deb.endswith('.deb') and os.path.isfile(deb)):
        raise Failure('tools/package.sh named no package: %r' % deb)
    return deb


def install(deb, undo):
    # What the package depends on is already here (tools/deps.sh installs it): the test must not
    # leave packages behind that it brought in.
    brought = [line.split()[1] for line in apt_get('install', '--simulate', deb).splitlines()
               if line.startswith('Inst ')]
    if brought != [PACKAGE]:
        raise Failure('installing the package would bring in %s too: tools/deps.sh should install what it '
                      'depends on' % ', '.join(p for p in brought if p != PACKAGE))
    undo.callback(lambda: shutil.rmtree(DATA_FOLDER, ignore_errors=True))
    undo.callback(lambda: package_status() and apt_get('purge', PACKAGE))
    log('installing %s' % deb)
    apt_get('install', deb)


def package_files():
    """The package's files and links as dpkg lists them (folders it shares with others left out)."""
    listed = run(['dpkg-query', '-L', PACKAGE], 'dpkg-query -L').splitlines()
    return [p for p in listed if p.strip() and not os.path.isdir(p) or p == PROGRAM_FOLDER]


def make_account(root, undo):
    name = 'kvpkg%d' % (os.getpid() % 100000)
    home = os.path.join(root, 'home')
    runtime = os.path.join(root, 'run')
    # Also after a failure, when the logs stay: nothing of the account outlives it.
    undo.callback(lambda: [shutil.rmtree(f, ignore_errors=True) for f in (home, runtime)])
    os.mkdir(home)
    run(['useradd', '--no-create-home', '--home-dir', home, '--shell', '/usr/sbin/nologin', '--groups', GROUP,
         name], 'useradd')
    undo.callback(lambda: subprocess.run(['userdel', name], capture_output=True))
    account = pwd.getpwnam(name)
    os.chown(home, account.pw_uid, account.pw_gid)
    os.mkdir(runtime, 0o700)
    os.chown(runtime, account.pw_uid, account.pw_gid)
    log('account %s (uid %d) in the group %s' % (name, account.pw_uid, GROUP))
    return account, runtime


def as_user(account, runtime, display=None):
    """What the account's processes get: its groups (the data folder's among them), the usual umask
    022, its own home, and no session bus to start (one started here would outlive the account)."""
    env = {'HOME': account.pw_dir, 'USER': account.pw_name, 'LOGNAME': account.pw_name, 'PATH': USER_PATH,
           'LANG': 'C.UTF-8', 'LC_ALL': 'C.UTF-8', 'XDG_RUNTIME_DIR': runtime,
           'DBUS_SESSION_BUS_ADDRESS': 'disabled:'}
    if display:
        env.update(DISPLAY=display, QT_QPA_PLATFORM='xcb')
    return dict(user=account.pw_uid, group=account.pw_gid,
                extra_groups=os.getgrouplist(account.pw_name, account.pw_gid), umask=0o022,
                cwd=account.pw_dir, env=env)


# --- the display

def start_display(root, undo):
    r, w = os.pipe()
    try:
        xvfb = _Process(['Xvfb', '-displayfd', str(w), '-screen', '0', '1280x1024x24', '-nolisten', 'tcp',
                         '-noreset'], os.path.join(root, 'xvfb.log'), pass_fds=(w,))
        undo.callback(xvfb.stop)
        os.close(w)
        w = None
        number = b''
        end = time.monotonic() + WAIT
        while not number.endswith(b'\n'):
            chunk = os.read(r, 16) if time.monotonic() < end else b''
            if not chunk:
                raise Failure('Xvfb did not start')
            number += chunk
    finally:
        os.close(r)
        if w is not None:
            os.close(w)
    display = ':' + number.decode().strip()
    os.environ['DISPLAY'] = display
    # A window manager, as on any desktop: it closes the main window as the title bar's button does.
    wm_home = os.path.join(root, 'wm')
    os.mkdir(wm_home)
    openbox = _Process(['openbox', '--sm-disable'], os.path.join(root, 'openbox.log'),
                       env=dict(os.environ, HOME=wm_home))
    undo.callback(openbox.stop)
    wait_for(lambda: 'window id' in subprocess.run(['xprop', '-root', '_NET_SUPPORTING_WM_CHECK'],
                                                   capture_output=True, text=True).stdout,
             'openbox to manage the display')
    log('display %s' % display)
    return display


def main_window_of(pid):
    title = '^%s$' % MAIN_WINDOW.replace('.', r'\.')
    found = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', title],
                           capture_output=True, text=True, timeout=WAIT).stdout.split()
    for window in found:
        owner = subprocess.run(['xdotool', 'getwindowpid', window], capture_output=True, text=True,
                               timeout=WAIT).stdout.strip()
        if owner == str(pid):
            return window
    return None


# --- the data folder

def database_whole():
    """The set-up program's database, read without writing a byte of it: whole, its orders table there."""
    if not os.path.isfile(DATABASE):
        return False
    db = sqlite3.connect('file:%s?immutable=1' % DATABASE, uri=True)
    try:
        whole = db.execute('PRAGMA integrity_check').fetchone()[0] == 'ok'
        tables = {row[0] for row in db.execute("SELECT name FROM sqlite_master WHERE type = 'table'")}
        return whole and 'Kalmorvaty' in tables
    finally:
        db.close()


def data_folder_shared():
    st = os.stat(DATA_FOLDER)
    return stat.S_IMODE(st.st_mode) == 0o2770 and st.st_uid == 0 and st.st_gid == grp.getgrnam(GROUP).gr_gid


def files_kept_to_group():
    """Each file of the data folder: the group's to read and write, nobody else's, whoever made it."""
    group = grp.getgrnam(GROUP).gr_gid
    claims = []
    for name in sorted(os.listdir(DATA_FOLDER)):
        st = os.lstat(os.path.join(DATA_FOLDER, name))
        claims.append(('%s belongs to the group %s (it has %d)' % (name, GROUP, st.st_gid),
                       lambda st=st: st.st_gid == group))
        claims.append(('%s is the group\'s to read and write, not others\' (mode %o)'
                       % (name, stat.S_IMODE(st.st_mode)),
                       lambda st=st: st.st_mode & 0o060 == 0o060 and st.st_mode & 0o007 == 0))
    return claims


def write_support_notice_date(account):
    """SETUP.INI with today's date for the support notice, which otherwise opens over the main window
    once a day; written as the account's own file under umask 022 (0644), for the program to narrow."""
    path = os.path.join(DATA_FOLDER, 'SETUP.INI')
    today = datetime.date.today()
    with open(path, 'wb') as f:
        f.write(('[DAR]\r\nPoslední ukázka=%d.%d.%04d\r\n' % (today.day, today.month, today.year))
                .encode('cp1250'))
    os.chown(path, account.pw_uid, grp.getgrnam(GROUP).gr_gid)
    os.chmod(path, 0o644)


# --- the road

def road(root, undo):
    deb = make_package(root)
    install(deb, undo)
    check_all([
        ('%s is root:%s 2770' % (DATA_FOLDER, GROUP), data_folder_shared),
        ('kalmorvaty on PATH is the program folder\'s Kalmorvaty',
         lambda: on_path('kalmorvaty') == PROGRAM_FOLDER + '/Kalmorvaty'),
        ('kalmorvaty-initdataserver on PATH is the program folder\'s InitDataServer.exe',
         lambda: on_path('kalmorvaty-initdataserver') == PROGRAM_FOLDER + '/InitDataServer.exe'),
        ('man finds the manual pages of both commands',
         lambda: subprocess.run(['man', '-w', 'kalmorvaty', 'kalmorvaty-initdataserver'],
                                capture_output=True).returncode == 0),
        ('the menu entry starts the installed program',
         lambda: 'Exec=%s/Kalmorvaty\n' % PROGRAM_FOLDER in open(DESKTOP_ENTRY).read()),
        ('datafolder.txt names the data folder',
         lambda: open(PROGRAM_FOLDER + '/datafolder.txt').read().strip() == DATA_FOLDER),
    ])
    files = package_files()

    account, runtime = make_account(root, undo)
    log('preparing the embedded database with kalmorvaty-initdataserver --batch')
    run(['kalmorvaty-initdataserver', '--batch'], 'kalmorvaty-initdataserver --batch', **as_user(account, runtime))
    write_support_notice_date(account)

    display = start_display(root, undo)
    program_log = os.path.join(root, 'program.log')
    log('starting kalmorvaty as %s' % account.pw_name)
    program = _Process(['kalmorvaty'], program_log, **as_user(account, runtime, display))
    undo.callback(program.stop)

    def shown():
        if program.popen.poll() is not None:
            raise Failure('the program ended (%d) before its main window showed:\n%s'
                          % (program.popen.returncode, tail(program_log)))
        return main_window_of(program.popen.pid)
    window = wait_for(shown, 'the main window %r' % MAIN_WINDOW)
    log('main window %s shows; closing it' % window)
    run(['xdotool', 'windowactivate', '--sync', window], 'xdotool windowactivate', timeout=WAIT)
    run(['xdotool', 'key', 'alt+F4'], 'xdotool key alt+F4', timeout=WAIT)
    try:
        status = program.popen.wait(WAIT)
    except subprocess.TimeoutExpired:
        raise Failure('the program did not end within %d s of closing its main window' % WAIT)
    if status != 0:
        raise Failure('the program ended with %d:\n%s' % (status, tail(program_log)))

    check_all([('the database is there, whole', database_whole)] + files_kept_to_group())

    log('removing the package')
    apt_get('remove', PACKAGE)
    check_all([
        ('kalmorvaty is gone from PATH', lambda: on_path('kalmorvaty') is None),
        ('%s is still root:%s 2770' % (DATA_FOLDER, GROUP), data_folder_shared),
        ('the database is there, whole', database_whole),
    ])
    log('purging the package')
    apt_get('purge', PACKAGE)
    check_all([
        ('dpkg knows the package no more', lambda: package_status() == ''),
        ('none of the package\'s %d files and links is left' % len(files),
         lambda: not [f for f in files if os.path.lexists(f)]),
        ('%s is still root:%s 2770' % (DATA_FOLDER, GROUP), data_folder_shared),
        ('the database is there, whole', database_whole),
    ])


def main():
    def on_signal(signum, frame):
        raise _Stopped('signal %d' % signum)
    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGALRM, on_signal)
    signal.alarm(LIMIT)
    started = time.monotonic()
    root = None
    status = 1
    try:
        machine_allows_installing()
        with machine_lock():
            machine_untouched()
            root = tempfile.mkdtemp(prefix='kv-package-')
            os.chmod(root, 0o755)   # apt reads the package as its own user
            with contextlib.ExitStack() as undo:
                road(root, undo)
        status = 0
        log('passed in %.0f s' % (time.monotonic() - started))
    except Skipped as e:
        log('skipped: %s' % e)
        status = SKIP
    except (Exception, _Stopped) as e:
        log('FAILED: %s' % e)
        if root:
            log('the logs (package, Xvfb, openbox, program) are kept in %s' % root)
    finally:
        signal.alarm(0)
        if root and status != 1:
            shutil.rmtree(root, ignore_errors=True)
    sys.exit(status)


if __name__ == '__main__':
    main()
