"""Runs chirpwell-smile's writes on real file systems, as root and as an ordinary
user: a small ext2 image (no fallocate), a full tmpfs, a bind mount, ACLs and
extended attributes, set-id files, the standard streams named by path, two
writers at once and signals during a write. Each case prints PASS, FAIL or SKIP
with its reason; a case the machine cannot run (not root, no loop devices, no
setfacl) is skipped. Exits 1 when any case failed.
    writer-check.py SMILE [ROUNDS]"""
import os
import shutil
import signal
import stat
import subprocess
import sys
import tempfile

SMILE = os.path.abspath(sys.argv[1])
ROUNDS = int(sys.argv[2]) if len(sys.argv) > 2 else 100
NOBODY = 65534
AS_NOBODY = ['setpriv', f'--reuid={NOBODY}', f'--regid={NOBODY}', '--clear-groups']
# Japanese prose in Shift_JIS; 2,400 times it gives a result of about 337 KB.
SAMPLE = ('吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。'
          '何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。\r\n'
          ).encode('cp932')


class Skip(Exception):
    pass


def run(args, **kwargs):
    kwargs.setdefault('stdin', subprocess.DEVNULL)
    kwargs.setdefault('stdout', subprocess.PIPE)
    kwargs.setdefault('stderr', subprocess.PIPE)
    env = dict(os.environ, LC_ALL='C')
    env.update(kwargs.pop('env', {}))
    return subprocess.run(args, env=env, **kwargs)


def smile(*args, user=False, **kwargs):
    program = [SMILE] if not user else AS_NOBODY + [WORK.program]
    return run(program + list(args), **kwargs)


def read(path):
    with open(path, 'rb') as file:
        return file.read()


def leftovers(*folders):
    return [os.path.join(folder, name) for folder in folders if os.path.isdir(folder)
            for name in os.listdir(folder) if name.startswith('.chirpwell-')]


def need_root():
    if os.geteuid() != 0:
        raise Skip('needs root')


def need_tools(*tools):
    missing = [tool for tool in tools if shutil.which(tool) is None]
    if missing:
        raise Skip('needs ' + ', '.join(missing))


def mount(*args):
    need_root()
    point = tempfile.mkdtemp(dir=WORK.folder)
    done = run(['mount'] + list(args) + [point])
    if done.returncode != 0:
        raise Skip('cannot mount here: ' + done.stderr.decode(errors='replace').strip())
    WORK.mounts.append(point)
    return point


def fill(folder, leave):
    """Takes all but leave bytes of the free room of folder's file system, root's
    reserve included."""
    room = os.statvfs(folder)
    size = max(room.f_bfree * room.f_frsize - leave, 0)
    with open(os.path.join(folder, 'filler'), 'wb') as file:
        try:
            file.write(b'\0' * size)
            file.flush()
        except OSError:
            pass


class Work:
    """A folder for the run that ordinary users may enter, and what was mounted."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix='chirpwell-writer-')
        os.chmod(self.folder, 0o755)
        self.mounts = []
        # An ordinary user may not enter the build folder, so runs as one take a copy.
        self.program = os.path.join(self.folder, 'chirpwell-smile')
        shutil.copy(SMILE, self.program)
        os.chmod(self.program, 0o755)
        self.big = self.file('big.txt', SAMPLE * 2400)
        self.small = self.file('small.txt', SAMPLE)
        self.expected = smile('--seed=1', self.big).stdout
        self.expected_small = smile('--seed=2', self.small).stdout

    def file(self, name, data, folder=None):
        path = os.path.join(folder or self.folder, name)
        with open(path, 'wb') as file:
            file.write(data)
        return path

    def sub(self, name, owner=None):
        path = os.path.join(self.folder, name)
        os.mkdir(path)
        os.chmod(path, 0o755)
        if owner is not None:
            os.chown(path, owner, owner)
        return path

    def close(self):
        for point in reversed(self.mounts):
            run(['umount', '-l', point])
        shutil.rmtree(self.folder, ignore_errors=True)


def case_1_full_ext2_in_place():
    need_tools('mkfs.ext2')
    image = WORK.file('ext2.img', b'')
    os.truncate(image, 1 << 20)
    if run(['mkfs.ext2', '-q', '-F', image]).returncode != 0:
        raise Skip('mkfs.ext2 failed')
    point = mount('-o', 'loop', image)
    old = (b'old\n' * 5000)
    target = WORK.file('f', old, point)
    os.link(target, os.path.join(point, 'f2'))
    shared = os.path.join(point, 'shared')
    os.mkdir(shared)
    os.chmod(shared, 0o755)
    other = WORK.file('g', old, shared)
    os.chmod(other, 0o666)
    cache = WORK.sub('cache-1', NOBODY)
    fill(point, 55 * 1024)
    done = smile('--seed=1', '-o', target, WORK.big)
    faults = []
    if done.returncode == 0 or b'No space left' not in done.stderr:
        faults.append(f'root: [{done.returncode}] {done.stderr!r}')
    if read(target) != old:
        faults.append(f'root: f holds {len(read(target))} other bytes')
    # An ordinary user's writable file in a folder they may not write: the copy of the
    # old content goes to their cache folder.
    done = smile('--seed=1', '-o', other, WORK.big, user=True, env={'XDG_CACHE_HOME': cache})
    if done.returncode == 0 or read(other) != old:
        faults.append(f'user: [{done.returncode}] holds {len(read(other))} bytes')
    faults += leftovers(point, shared, os.path.join(cache, 'chirpwell'))
    return faults


def case_1b_full_tmpfs():
    point = mount('-t', 'tmpfs', '-o', 'size=256k', 'chirpwell-full')
    old = b'old content\n'
    replaced = WORK.file('replaced', old, point)
    linked = WORK.file('linked', old, point)
    os.link(linked, os.path.join(point, 'linked2'))
    fill(point, 0)
    faults = []
    for target in (replaced, linked, os.path.join(point, 'new')):
        done = smile('--seed=1', '-o', target, WORK.big)
        now = read(target) if os.path.exists(target) else None
        if done.returncode == 0 or now != (None if target.endswith('new') else old):
            faults.append(f'{os.path.basename(target)}: [{done.returncode}] {now!r:.40}')
    return faults + leftovers(point)


def case_2_places_over_input():
    data = read(WORK.small)
    source = WORK.file('in.txt', data)
    with open(source, 'rb') as stdin, open(WORK.file('out.txt', b''), 'wb') as stdout:
        done = smile('--seed=1', '--places=/dev/stdin', stdin=stdin, stdout=stdout)
    if done.returncode != 2 or read(source) != data:
        return [f'[{done.returncode}], in.txt {"kept" if read(source) == data else "replaced"}']
    return []


def case_3_places_over_output():
    result = WORK.file('res.txt', b'')
    with open(result, 'wb') as stdout:
        done = smile('--seed=1', '--places=/dev/stdout', WORK.small, stdout=stdout)
    return [] if done.returncode == 2 else [f'[{done.returncode}] res.txt {read(result)!r:.40}']


def case_4_acl_and_attributes():
    need_tools('setfacl', 'getfacl', 'setfattr', 'getfattr')
    folder = WORK.sub('acl')
    target = WORK.file('t', b'old', folder)
    os.chmod(target, 0o640)
    if run(['setfacl', '-m', f'u:{NOBODY}:rw', target]).returncode != 0 or \
            run(['setfattr', '-n', 'user.note', '-v', 'kept', target]).returncode != 0:
        raise Skip('the file system holds no ACLs or extended attributes')
    before = run(['getfacl', '-cp', target]).stdout
    done = smile('--seed=1', '-o', target, WORK.small)
    faults = []
    if done.returncode != 0 or read(target) != WORK.expected_small:
        faults.append(f'[{done.returncode}] {done.stderr!r}')
    after = run(['getfacl', '-cp', target]).stdout
    if after != before:
        faults.append(f'ACL {before!r} became {after!r}')
    note = run(['getfattr', '--only-values', '-n', 'user.note', target]).stdout
    if note != b'kept':
        faults.append(f'user.note is {note!r}')
    # A new file gets what the folder's default ACL gives any program's new file.
    fresh = WORK.sub('acl-default')
    run(['setfacl', '-d', '-m', 'o::---', fresh])
    umask = lambda: os.umask(0o022)
    run(['sh', '-c', 'echo > plain'], cwd=fresh, preexec_fn=umask)
    done = smile('-o', 'new', WORK.small, cwd=fresh, preexec_fn=umask)
    plain = stat.S_IMODE(os.stat(os.path.join(fresh, 'plain')).st_mode)
    new = stat.S_IMODE(os.stat(os.path.join(fresh, 'new')).st_mode)
    if done.returncode != 0 or new != plain:
        faults.append(f'new file {new:o}, a plain one {plain:o}')
    return faults + leftovers(folder, fresh)


def case_5_one_new_file_two_names():
    faults = []
    for output in ('./newo', os.path.join(WORK.folder, 'newo')):
        done = smile('--places=newo', '-o', output, WORK.small, cwd=WORK.folder)
        if done.returncode != 2 or os.path.exists(os.path.join(WORK.folder, 'newo')):
            faults.append(f'-o {output}: [{done.returncode}]')
            os.unlink(os.path.join(WORK.folder, 'newo'))
    return faults


def case_6_streams_by_path():
    faults = []
    done = smile('--seed=2', '-o', '/dev/stdout', WORK.small)
    if done.returncode != 0 or done.stdout != WORK.expected_small:
        faults.append(f'-o /dev/stdout: [{done.returncode}] {done.stderr!r}')
    reader, writer = os.pipe()
    done = smile('--seed=2', '-o', f'/dev/fd/{writer}', WORK.small, pass_fds=[writer])
    os.close(writer)
    with os.fdopen(reader, 'rb') as pipe:
        if done.returncode != 0 or pipe.read() != WORK.expected_small:
            faults.append(f'-o /dev/fd/N: [{done.returncode}] {done.stderr!r}')
    places = os.path.join(WORK.folder, 'places6')
    smile('--seed=1', '--places=' + places, WORK.small)
    done = smile('--seed=1', '--places=/dev/stderr', WORK.small)
    if done.returncode != 0 or done.stderr != read(places):
        faults.append(f'--places=/dev/stderr: [{done.returncode}] {done.stderr!r:.60}')
    return faults


def case_7_two_writers_at_once():
    folder = WORK.sub('race')
    target = WORK.file('t', b'old', folder)
    os.link(target, os.path.join(folder, 't2'))
    mixed = busy = 0
    for _ in range(ROUNDS):
        first = subprocess.Popen([SMILE, '--seed=1', '-o', target, WORK.big],
                                 stderr=subprocess.PIPE)
        second = subprocess.Popen([SMILE, '--seed=2', '-o', target, WORK.small],
                                  stderr=subprocess.PIPE)
        codes = (first.wait(), second.wait())
        first.stderr.close()
        second.stderr.close()
        busy += codes.count(2)
        if read(target) not in (WORK.expected, WORK.expected_small):
            mixed += 1
    faults = [f'{mixed} of {ROUNDS} rounds mixed'] if mixed else []
    print(f'    {ROUNDS} rounds, {busy} runs gave way to the other')
    return faults + leftovers(folder)


def case_8_nothing_written_unless_done():
    folder = WORK.sub('hp')
    target = WORK.file('hp', b'oldp\n', folder)
    os.link(target, os.path.join(folder, 'hp2'))
    faults = []
    done = smile('--places=' + target, '-o', '/dev/full', WORK.small)
    if done.returncode != 2 or read(target) != b'oldp\n':
        faults.append(f'/dev/full: [{done.returncode}] hp {read(target)!r:.30}')
    reader, writer = os.pipe()
    os.close(reader)
    done = smile('--places=' + target, WORK.small, stdout=writer)
    os.close(writer)
    if done.returncode != 2 or read(target) != b'oldp\n':
        faults.append(f'closed pipe: [{done.returncode}] hp {read(target)!r:.30}')
    return faults + leftovers(folder)


def case_9_signals_during_a_write():
    faults = []
    for number in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
        folder = WORK.sub(f'signal-{number.name}')
        replaced = WORK.file('replaced', b'old', folder)
        linked = WORK.file('linked', b'old', folder)
        os.link(linked, os.path.join(folder, 'linked2'))
        for places in (replaced, linked):
            # The result to standard output, a pipe read no further than its first
            # byte: the run then waits on the pipe with the places file prepared.
            process = subprocess.Popen([SMILE, '--seed=1', '--places=' + places, WORK.big],
                                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            process.stdout.read(1)
            process.send_signal(number)
            code = process.wait()
            process.stdout.close()
            if code != -number or read(places) != b'old':
                faults.append(f'{number.name} {os.path.basename(places)}: [{code}]')
        faults += leftovers(folder)
    # The result to a FIFO that no one reads, after the places on standard output:
    # once their first byte is read the run is writing streams, and a signal ends it
    # at once, also when it waits to open the FIFO.
    fifo = os.path.join(WORK.sub('fifo'), 'fifo')
    os.mkfifo(fifo)
    process = subprocess.Popen([SMILE, '-f', '50', '--places=/dev/stdout', '-o', fifo, WORK.big],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    process.stdout.read(1)
    process.terminate()
    try:
        code = process.wait(timeout=60)
    except subprocess.TimeoutExpired:
        process.kill()
        code = 'still running'
    process.stdout.close()
    if code != -signal.SIGTERM:
        faults.append(f'FIFO: [{code}]')
    return faults


def case_10_bind_mount():
    source = WORK.file('bind-source', b'old')
    target = WORK.file('bind-target', b'')
    need_root()
    if run(['mount', '--bind', source, target]).returncode != 0:
        raise Skip('cannot bind-mount here')
    WORK.mounts.append(target)
    done = smile('--seed=2', '-o', target, WORK.small)
    faults = []
    if done.returncode != 0 or read(source) != WORK.expected_small:
        faults.append(f'[{done.returncode}] {done.stderr!r}')
    return faults + leftovers(WORK.folder)


def case_11_set_id_bits_kept():
    need_root()
    need_tools('setpriv')
    folder = WORK.sub('setid', NOBODY)
    faults = []
    for mode in (0o4755, 0o2755):
        for linked in (False, True):
            target = WORK.file(f'p{mode:o}{"-linked" if linked else ""}', b'old', folder)
            os.chown(target, NOBODY, NOBODY)
            os.chmod(target, mode)
            if linked:
                os.link(target, target + '2')
            done = smile('--seed=2', '-o', target, WORK.small, user=True)
            now = stat.S_IMODE(os.stat(target).st_mode)
            if done.returncode != 0 or now != mode:
                faults.append(f'{os.path.basename(target)}: [{done.returncode}] {now:o}')
    return faults + leftovers(folder)


def case_12_empty_paths():
    faults = []
    for args in ([''], ['-o', ''], ['-s', ''], ['--places=']):
        done = smile(*args, input=b'x', stdin=None)
        if done.returncode != 2 or done.stdout:
            faults.append(f'{args}: [{done.returncode}]')
    return faults


def case_13_appending_standard_output():
    log = WORK.file('log', b'old\n')
    inode = os.stat(log).st_ino
    with open(log, 'ab') as stdout:
        done = smile('--seed=2', '-o', '/dev/stdout', WORK.small, stdout=stdout)
    if done.returncode != 0 or read(log) != b'old\n' + WORK.expected_small or \
            os.stat(log).st_ino != inode:
        return [f'[{done.returncode}] log {read(log)[:20]!r}']
    return []


# In the order of their numbers.
CASES = sorted((value for name, value in globals().items() if name.startswith('case_')),
               key=lambda case: (int(case.__name__.split('_')[1].rstrip('b')), case.__name__))
WORK = Work()
failed = 0
try:
    for case in CASES:
        name = case.__name__[5:]
        try:
            faults = case()
        except Skip as skip:
            print(f'SKIP {name}: {skip}')
            continue
        if faults:
            failed += 1
            print(f'FAIL {name}: ' + '; '.join(map(str, faults)))
        else:
            print(f'PASS {name}')
finally:
    WORK.close()
sys.exit(1 if failed else 0)
