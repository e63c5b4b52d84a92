#!/usr/bin/env python3
"""The order helper end to end under Wine: one private Xvfb screen, a fresh Wine prefix and a CUPS of its own with a
PDF printer, then a few sessions, each one start of the program driven step by step with xdotool.
    python3 tests/e2e/e2e.py [path/to/ZorbelOrder.exe]      (failures keep screens in e2e-shots/ beside the program)
    E2E_MAKE_REFERENCES=1 python3 tests/e2e/e2e.py    (writes the reference pictures from the program, then checks)
"""
import os, random, re, select, shutil, signal, subprocess as sp, sys, tempfile, time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SHOTS = PDF = None   # PDF: what the tests' printer prints

# Each settled page (its client area) and each box is compared whole with its picture in REFERENCES, which
# E2E_MAKE_REFERENCES=1 makes from the program; three of them are the README's pictures.
REFERENCES, MAKE, MADE = ROOT + '/tests/e2e/reference', os.environ.get('E2E_MAKE_REFERENCES') == '1', set()
DOCS = {'topic-2': 'topics', 'phone': 'phone', 'order-postal': 'order'}
# ---- Client points. Buttons are clicked near the right end of their faces: the whole face must answer.
POINT = {'online': (108, 426), 'phone': (188, 426), 'email': (342, 426), 'back': (322, 426), 'save': (187, 426),
         'print': (340, 426), 'form back': (404, 426), 'no topic': (300, 182), 'off button': (156, 300),
         'method': (200, 313), 'cdrom': (24, 259), 'name': (150, 42), 'address': (150, 70), 'city': (140, 132),
         'state': (260, 132), 'zip': (370, 132), 'email field': (150, 159), 'heard': (320, 186),
         'comment': (150, 212), 'card': (140, 338), 'date': (340, 338)}
MENU_AT = (127, 322)   # the payment menu's top-left corner, under the selector
STATE_CODES = ('AL AK AZ AR CA CO CT DE DC FL GA HI ID IL IN IA KS KY LA ME MD MA MI MN MS MO MT NE NV NH NJ NM NY NC '
               'ND OH OK OR PA RI SC SD TN TX UT VT VA WA WV WI WY AS FM GU MH MP PW PR VI UM AA AE AP').split()
SHORTCUT = '[InternetShortcut]\r\nURL=http://{VENDOR_WEB_HOST}/html/zorbel_order.html'

# Forms as typed, field by field in this order; lists are lines; "method" is the payment menu's item number.
CARD = {'address': ['12 Quarry Road', 'Flat 3', 'Rear Building', 'c/o M. Wren', 'Hilltop Estate'],
        'city': 'Albany', 'state': 'ny', 'zip': '12207', 'email field': 'cara@deal.example',
        'heard': 'a 100% honest friend', 'comment': ['Deal me in!', 'Second line', '%s %d as typed', 'Last line'],
        'cdrom': True, 'method': 3, 'card': '4111 1111 1111 1111', 'date': '12-29'}
CARD_SAVED = dict(name='Cara Dealer', state='NY', method='Visa', date='12/29', price='$27.00 U.S.')
POSTAL = {'name': 'Mina Postley', 'address': ['77 Letterbox Lane', 'Unit 2'], 'city': 'Fresno', 'state': 'ca',
          'zip': '93650', 'method': 2}
POSTAL_SAVED = dict(state='CA', method='Postal Money Order - in US dollars', price='$14.95 U.S.')

# The order, before text mode makes each line feed CR LF; a field's own lines end in the edit control's CR LF.
ORDER = '''Zorbel Solitaire v.1.0
------ For Windows 95/98 -----

Please register me for Zorbel Solitaire.

I authorize {VENDOR_NAME} to bill my credit card once in the amount of {price}

MY INFO:
Name:     {name}
Address:  {address}
          {city}, {state} {zip}

Email:    {email field}

Heard on: {heard}

Comment:
{comment}

{payment}'''
BY_CARD = 'Credit Card Type: {method}\nCredit Card Num: {card}\nExp. Date: {date}'
BY_POST = '{method}\n\nPlease make checks payable to {VENDOR_NAME}.\n\n'
SAVED_END = '''

------------------------
How To Submit This Order

E-Mail to:
   {VENDOR_SALES_EMAIL}

Fax to:
   {VENDOR_FAX}

Print, and mail to:
   {VENDOR_NAME}
   {VENDOR_STREET}
   {VENDOR_CITY_LINE}

You may also order through the web via our secure on-line store by going
to:
   {VENDOR_WEB_SITE}

                THANK YOU!'''


class Fail(Exception):
    pass


# The vendor's contact values as the customer reads them in the files.
VENDOR = dict(VENDOR_NAME='Quintara Software', VENDOR_WEB_HOST='www.quintara.example',
              VENDOR_WEB_SITE='http://www.quintara.example', VENDOR_SALES_EMAIL='orders@quintara.example',
              VENDOR_FAX='+1 212-555-0148', VENDOR_STREET='318 Hudson Street, Suite 4',
              VENDOR_CITY_LINE='New York, NY 10013')


def order_text(form, saved):
    v = {'email field': '', 'heard': '', 'comment': [], **form, **saved, **VENDOR}
    v.update(address='\r\n'.join(v['address']), comment='\r\n'.join(v['comment']))
    return ORDER.format(payment=(BY_CARD if 'card' in v else BY_POST).format(**v), **v)


def run(*cmd, timeout=60, **kw):
    return sp.run([str(c) for c in cmd], capture_output=True, timeout=timeout, **kw)


def xdo(*args):
    return run('xdotool', *args, text=True).stdout


def wait(probe, timeout, what=None):   # probe's first true value; at the timeout Fail(what), or None
    end = time.time() + timeout
    while time.time() < end:
        value = probe()
        if value:
            return value
        time.sleep(0.1)
    if what:
        raise Fail(what)


def picture(*source):   # PPM data of a picture file, or of a window: '-window', id
    return run('import' if source[0] == '-window' else 'convert', *source, '-depth', '8', 'ppm:-').stdout


def differ(got, want):   # how many pixels of two PPM pictures differ, within which box
    (gw, gh, g), (ww, wh, w) = [re.match(r'(?:P6\s(\d+)\s(\d+)\s255\s)?(.*)', p.decode('latin-1'), re.S).groups()
                                for p in (got, want)]
    if (gw, gh) != (ww, wh):
        return 'size %sx%s, not %sx%s' % (gw, gh, ww, wh)
    at = [i // 3 for i in range(0, len(g), 3) if g[i:i + 3] != w[i:i + 3]]
    x, y = [i % int(gw) for i in at], [i // int(gw) for i in at]
    return '%d pixels differ in %dx%d+%d+%d' % (len(at), max(x) - min(x) + 1, max(y) - min(y) + 1, min(x), min(y))


def where(reference):
    return '%s/docs/%s.png' % (ROOT, DOCS[reference]) if reference in DOCS else '%s/%s.png' % (REFERENCES, reference)


def compare(name, reference, take, left=list):
    """Checks that take() shows the reference picture (Wine 8's: under another Wine, left() alone) and that left()
    (boxes, files) is empty. A focused field's caret blinks: pictures are taken until one matches (10 s at most),
    and a reference is made without it, as the brightest of a dozen pictures over a second (it is dark on white)."""
    if not PICTURES:   # not run, and counted apart
        counts[2] += 1
        print("NOT RUN %s: the reference pictures are Wine 8's, this is %s" % (name, WINE), flush=True)
        return left is list or check(name + ': nothing left', not left(), 'left: %s' % left())
    path = where(reference)
    if MAKE and path not in MADE:
        MADE.add(path)
        time.sleep(1)   # settled
        shots = [take() for _ in range(12) if not time.sleep(0.1)]
        run('convert', 'ppm:-', '-strip', path, input=max(shots, key=sum))
    want, shot, end = picture(path), take(), time.time() + 10
    bits = lambda ppm: (int.from_bytes(ppm, 'big') ^ int.from_bytes(want, 'big')).bit_count()   # that differ
    while shot != want and time.time() < end:   # keeping the closest, say the one without the caret
        time.sleep(random.uniform(0.05, 0.5))   # a slow machine's pictures could keep in step with the blinks
        shot = min(shot, take(), key=bits)
    why = shot != want and '%s (%s-actual.png, -diff.png)' % (differ(shot, want), reference)
    if not check(name, not why and not left(), why or 'left: %s' % left()) and why:
        base = SHOTS + '/' + reference
        run('convert', 'ppm:-', base + '-actual.png', input=shot)
        run('compare', path, base + '-actual.png', base + '-diff.png')


def windows(name=None, only='--onlyvisible'):
    """Top-level windows (visible ones unless only is '--all'), or those named exactly name (blanks count)."""
    return [w for w in xdo('search', only, '--name', '' if name is None else '^%s$' % name).split() if w != ROOT_WINDOW]


def geometry(window):
    g = dict(line.split('=') for line in xdo('getwindowgeometry', '--shell', window).split())
    return tuple(int(g.get(k, -1)) for k in ('X', 'Y', 'WIDTH', 'HEIGHT'))


counts, STARTED, ROOT_WINDOW = [0, 0, 0], [], None   # the root window: once the screen is up


def check(name, ok, why=''):
    counts[not ok] += 1
    print('PASS %s' % name if ok else 'FAIL %s: %s' % (name, why), flush=True)
    os.makedirs(SHOTS, exist_ok=True)
    if not ok and ROOT_WINDOW:
        run('import', '-window', 'root', '%s/%s.png' % (SHOTS, re.sub(r'\W+', '-', name)))
    return ok


class Program:
    """One start of the program in its own working folder; the steps return the program, to chain them."""

    def __init__(self, name, exe):
        self.work, self.clicked = tempfile.mkdtemp(prefix=name + '-', dir=TMP), 0
        xdo('mousemove', 2, 2)   # parked off the window, clear of every button and topic
        # A DLL beside the program comes before the system's own, as on Windows for all but the KnownDLLs.
        self.env = dict(os.environ, WINEDLLOVERRIDES=os.environ['WINEDLLOVERRIDES'] + ';winmm,crtdll=n,b')
        self.proc = sp.Popen(['wine', exe], cwd=self.work, env=self.env, stdout=sp.DEVNULL, stderr=sp.DEVNULL)
        STARTED.append(self.proc)
        self.window = wait(lambda: next((w for w in windows('') if geometry(w)[2:] == (415, 450)), None), 60,
                           'no 415x450 window within 60 s')
        self.ox, self.oy = geometry(self.window)[:2]
        xdo('windowfocus', '--sync', self.window)

    def expect(self, name, reference, pause=0, left=list):   # the client area; left: as for compare
        time.sleep(pause)   # for what must not happen: time to show
        compare(name, reference, lambda: picture('-window', self.window), left)
        return self

    def move(self, point):
        x, y = POINT.get(point, point)
        xdo('mousemove', self.ox + x, self.oy + y)
        return self

    def click(self, point, page=None):   # page: the page the click shows, once the pointer has moved over it
        off = lambda: picture('-window', self.move('off button').window)
        want = page and (picture(where(page)) if PICTURES else off())   # another Wine's: any other picture
        self.move(point)
        # A click within the double-click time of the last one is a double click, which the window ignores.
        time.sleep(max(0, self.clicked + 0.6 - time.time()))
        xdo('click', 1)
        self.clicked = time.time()
        if page:
            wait(lambda: (off() == want) == PICTURES, 10)
        return self

    def type(self, text, *keys):   # a list is lines with the Return key between them (not typed line feeds)
        lines = text if isinstance(text, list) else [text]
        for before, line in zip([keys] + [('Return',)] * (len(lines) - 1), lines):
            if before:
                xdo('key', *before)
            xdo('type', '--delay', 20, line)
        return self

    def others(self):
        return [(w, xdo('getwindowname', w).strip('\n')) for w in windows() if w != self.window]

    def dismiss(self, name, key='Return', post=None, reference=None):   # post: a command from outside meanwhile
        box = wait(lambda: windows(name), 15, 'no window named "%s"; visible: %s' % (name, self.others()))[0]
        if post and run('wine', POST, post).returncode:
            raise Fail('post_command %s found no host window' % post)
        xdo('windowfocus', '--sync', box)
        if reference:
            compare('box: ' + reference, reference, lambda: picture('-window', box))
        xdo('key', key)
        # Its X window goes only once the box has returned: what is typed next reaches the program after it.
        wait(lambda: box not in windows(name, '--all'), 15, 'the window "%s" stayed after %s' % (name, key))
        if self.proc.poll() is None:
            xdo('windowfocus', '--sync', self.window)
        return self

    def fill(self, form):
        for field, value in form.items():
            self.click(field)
            if field == 'method':
                menu = wait(self.others, 10, 'no payment menu')[0][0]
                if geometry(menu)[:2] != (self.ox + MENU_AT[0], self.oy + MENU_AT[1]):
                    raise Fail('the payment menu is at %s, not under the selector' % (geometry(menu)[:2],))
                xdo('key', '--delay', 50, *['Down'] * value, 'Return')
                wait(lambda: menu not in windows(), 10, 'the payment menu stayed open')
            elif field != 'cdrom':
                self.type(value, 'End', 'shift+Home')   # Exp. Date starts with "mm/yy"
        return self

    def ended(self, name):
        code = wait(lambda: self.proc.poll() is not None, 20) and self.proc.poll()   # None: still running
        check(name, code == 0 and wait(lambda: not windows(), 10), 'exit code %s, windows %s' % (code, self.others()))

    def saved(self, name, text):
        path, want = self.work + '/My Order.txt', (text + SAVED_END.format(**VENDOR)).replace('\n', '\r\n').encode()
        got = open(path, 'rb').read() if os.path.exists(path) else b''
        at = next((i for i, (a, b) in enumerate(zip(got, want)) if a != b), min(len(got), len(want)))
        check(name, got == want, 'from byte %d: %r, expected %r' % (at, got[at:at + 40], want[at:at + 40]))


def session_pages(p):
    check('window: 415x450 client area, centred', geometry(p.window)[2:] == (415, 450) and
          abs(2 * p.ox + 415 - 1024) <= 1 and abs(2 * p.oy + 450 - 768) <= 1, 'at %s' % (geometry(p.window),))
    p.move('no topic').expect('topics page: artwork, title, topics, message', 'topics')
    for k in range(4):
        p.move((30, 62 + 30 * k)).expect('topic %d: its line alone white, its answer' % (k + 1), 'topic-%d' % (k + 1))
    p.move('no topic').expect('topic left: all lines grey, the default message', 'topics')
    p.move('online').expect('button hover: its own message', 'online-hover')
    p.move('phone')
    xdo('mousedown', 1)
    p.expect('button held: held-down look', 'phone-held')
    p.move('off button').expect('held, pointer off it: normal look', 'phone-message')
    xdo('mouseup', 1)
    p.expect('released off it: nothing happens', 'phone-message', 0.7, p.others)

    url, want = p.work + '/quintara.url', SHORTCUT.format(**VENDOR).encode()
    got = lambda: os.path.exists(url) and open(url, 'rb').read()
    p.click('online')
    check('Register Online: quintara.url', wait(lambda: got() == want, 10), 'holds %r' % got())
    for button, page in (('phone', 'phone'), ('back', 'topics'), ('email', 'order')):
        p.click(button).move('off button').expect('%s: %s page' % (button, page), page)
    p.click('state').type('ny').expect('total: follows State NY', 'order-ny')
    p.click('cdrom').expect('total: then the CD-ROM box', 'order-ny-cdrom')
    for field, id, texts in (('State', 1103, STATE_CODES), ('Card #', 1108, ['4111 1111 1111 1111'])):
        shown = run('wine', POST, id, *texts, text=True).stdout.splitlines()
        hidden = [line for line in shown if int(line.split()[0]) < 0]
        check('%s: %d texts, each whole with the caret at its end' % (field, len(texts)),
              len(shown) == len(texts) and not hidden, 'first character out of sight: %s' % (hidden or shown))
    p.click('form back', 'topics').click('email').move('off button').expect('form again: empty, first total', 'order')

    # A Back or an Exit from elsewhere while a refusal box is up waits for the box.
    p.fill({'name': 'Hold Tester', 'address': '1 Wait Street'}).click('save')
    p.dismiss('Error', post=103, reference='refusal-method')
    p.move('no topic').expect('Back during a refusal: topics page after the box, no menu', 'topics', 0.7, p.others)
    p.click('email', 'order').click('save').dismiss('Error', post=2)
    p.ended('Exit during a refusal: ends with 0 after the box, no window left')
    probe = run('wine', PROBE, cwd=p.work, env=p.env).returncode   # its helper alone, as on Windows before 8
    check('the winmm.dll beside the program: never loaded, nor by its delay-load helper alone (%s)' % probe,
          probe == 0 and not os.path.exists(p.work + '/planted-winmm.dll-loaded'))


def session_card_saved(p):
    p.click('email', 'order').fill({'method': 1}).expect('Check chosen: the selector names it', 'order-check')
    p.fill({'method': 2})
    run('wine', POST, 0)   # the whole form repainted: the longest name drawn whole, past the selector
    p.fill(CARD).expect('Visa after the longest name: nothing of it left', 'order-card')
    p.click('save').dismiss('Error', reference='refusal-name')   # the focus goes to Name
    p.type(CARD_SAVED['name']).click('save').dismiss('Error', reference='refusal-date')   # to Exp. Date, "mm/yy"
    p.type(CARD_SAVED['date'], 'End', 'shift+Home').click('save').dismiss('Thank you!', reference='thanks-saved')
    p.ended('card order: saved after two refusals, thank-you box, exit 0')
    p.saved('card order: "My Order.txt"', order_text(CARD, CARD_SAVED))
    check('the crtdll.dll beside the program: never loaded', not os.path.exists(p.work + '/planted-crtdll.dll-loaded'))


def session_postal_printed(p):
    p.click('email', 'order').fill(POSTAL).click('print').dismiss('Print', 'Escape')
    p.expect('print dialog cancelled: the form, no box, no file', 'order-postal', 0.7,
             lambda: p.others() + os.listdir(p.work))
    p.click('print').dismiss('Print').dismiss(' ', reference='thanks-printed')
    p.ended('postal order printed: thank-you box, exit 0')
    text = lambda how: run('pdftotext', how, PDF, '-').stdout.decode('utf-8', 'replace').replace('\xad', '-')
    wait(lambda: POSTAL['name'] in text('-layout'), 60, 'no printed order in %s' % PDF)   # the job done
    pages = re.findall(r'Pages:\s*(\d+)', run('pdfinfo', PDF, text=True).stdout)
    first = re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)', text('-bbox'))[:1]
    if not check('printed: the order alone, wrapped, from the top-left corner of one page', pages == ['1'] and
                 text('-layout').split() == order_text(POSTAL, POSTAL_SAVED).split() and first and
                 first[0][2] == 'Zorbel' and float(first[0][0]) < 10 and float(first[0][1]) < 10,
                 'pages %s, first word %s; see printed.pdf' % (pages, first)):
        shutil.copy(PDF, SHOTS + '/printed.pdf')


# The tests' own CUPS, found by Wine and lpstat through CUPS_SERVER, every file of it in the run's folder. Its one
# queue has cups-pdf's page (A4, all printable), but CUPS's own filters make the PDF: cups-pdf's backend needs root.
CUPS = {'cups-files.conf': ('ServerRoot {0}', 'RequestRoot {0}/spool', 'CacheDir {0}/cache', 'StateDir {0}',
                            'Printcap {0}/printcap', 'ErrorLog stderr', 'AccessLog {0}/log', 'PageLog {0}/log'),
        'cupsd.conf': ('Listen {0}/socket', 'Browsing No', 'LogLevel error'),
        'printers.conf': ('<DefaultPrinter PDF>', 'DeviceURI file:{1}', '</DefaultPrinter>')}
PPD, DAEMONS = '/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd', []   # DAEMONS: Xvfb and cupsd, stopped last


def session_read_only_imports(p):
    p.click('online')   # a cue and the shortcut: winmm, the C runtime, shell32
    wait(lambda: os.path.exists(p.work + '/quintara.url'), 10, 'no quintara.url')
    p.click('email', 'order').fill(POSTAL).click('print').dismiss('Print', 'Escape')   # comdlg32
    run('wine', POST, 2)   # Exit
    p.ended('import table read-only, as newer linkers make it: a cue, the shortcut, the print dialog, exit 0')


def read_only_imports(exe):   # a copy with IMAGE_SCN_MEM_WRITE cleared in .idata's section header
    data = bytearray(open(exe, 'rb').read())
    data[data.index(b'.idata\0\0', 0, 1024) + 39] &= 0x7F   # the headers lie in the first kilobyte
    open(exe[:-4] + '-read-only.exe', 'wb').write(data)
    return exe[:-4] + '-read-only.exe'


def setup():
    read, write = os.pipe()
    # Its abstract socket alone: no /tmp/.X11-unix made where there was none.
    DAEMONS.append(sp.Popen(['Xvfb', '-displayfd', str(write), '-screen', '0', '1024x768x24', '-nolisten', 'tcp',
                             '-nolisten', 'unix'],
                            pass_fds=(write,), stdout=sp.DEVNULL, stderr=sp.DEVNULL))
    os.close(write)
    if not select.select([read], [], [], 30)[0]:
        raise Fail('Xvfb did not start')
    cups = TMP + '/cups'
    os.makedirs(cups + '/ppd')
    for name, lines in CUPS.items():
        open(cups + '/' + name, 'w').write('\n'.join(lines + ('',)).format(cups, PDF))
    open(cups + '/ppd/PDF.ppd', 'wb').write(open(PPD, 'rb').read() + b'*cupsFilter: "application/vnd.cups-pdf 0 -"\n')
    # A cupsd that is root runs its filters as lp, which must reach its spool: the run's folder is in /tmp, whatever
    # TMPDIR says (cupsd's AppArmor profile allows it too), and cupsd takes no TMPDIR but its spool's own.
    os.chmod(TMP, 0o711)
    os.environ.pop('TMPDIR', None)   # nor does Wine 10, which aborts with it set ("free(): invalid pointer")
    os.mkdir(TMP + '/run', 0o700)
    # Wine takes its printers from CUPS as it starts, so the queue comes first. Then HOME and XDG_RUNTIME_DIR: what
    # Wine and the sound client keep there (menu entries, sound links) goes with the run. No Mono or Gecko prompts.
    DAEMONS.append(sp.Popen(['/usr/sbin/cupsd', '-f', '-c', cups + '/cupsd.conf', '-s', cups + '/cups-files.conf'],
                            stdin=sp.DEVNULL, stdout=sp.DEVNULL))
    os.environ.update(DISPLAY=':' + os.read(read, 16).decode().strip(), WINEDEBUG='-all', CUPS_SERVER=cups + '/socket',
                      HOME=TMP, XDG_RUNTIME_DIR=TMP + '/run', WINEDLLOVERRIDES='mscoree,mshtml=')
    wait(lambda: b'is running' in run('lpstat', '-r').stdout, 30, "the tests' cupsd did not start")
    if not os.path.exists(os.environ['WINEPREFIX'] + '/system.reg'):
        run('wineboot', '-i', timeout=300)
    sp.run(['wineserver', '-p'])   # one warm server for every start, booted here, not in the first one's window wait
    sp.run(['wineboot'], stdout=sp.DEVNULL, stderr=sp.DEVNULL, timeout=300)   # what it starts keeps no pipe


def main():
    global EXE, TMP, PDF, POST, PROBE, ROOT_WINDOW, SHOTS, WINE, PICTURES
    EXE = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else ROOT + '/build/win64/ZorbelOrder.exe')
    SHOTS = os.path.dirname(EXE) + '/e2e-shots'   # one folder for each build
    TMP = tempfile.mkdtemp(prefix='zorbel-e2e.', dir='/tmp')   # see setup()
    PDF = TMP + '/printed.pdf'
    os.environ.setdefault('WINEPREFIX', TMP + '/prefix')   # the emulated machine brings one made in advance
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))   # a timeout's end: tidied up as after Ctrl-C
    started, tools = time.time(), ('post_command.exe', 'helper_probe.exe', 'planted.dll')
    POST, PROBE, PLANTED = (os.path.dirname(EXE) + '/' + f for f in tools)   # built with the program
    shutil.rmtree(SHOTS, ignore_errors=True)
    try:
        # Run copies from a local folder: Wine maps a program on a 9p share (the emulated machine's) with zeros
        # for part of its resources. Beside the program lie a stranger's winmm.dll and crtdll.dll.
        EXE, POST, PROBE = (shutil.copy(f, TMP) for f in (EXE, POST, PROBE))
        for dll in ('winmm.dll', 'crtdll.dll'):
            shutil.copy(PLANTED, TMP + '/' + dll)
        WINE = run('wine', '--version', text=True).stdout.strip()
        PICTURES = WINE.startswith('wine-8.')   # the references' Wine
        setup()
        ROOT_WINDOW = str(int(run('xwininfo', '-root', text=True).stdout.split('Window id: ')[1].split()[0], 16))
        sessions = (session_pages, session_card_saved, session_postal_printed, session_read_only_imports)
        for session, exe in zip(sessions, (EXE,) * 3 + (read_only_imports(EXE),)):
            name = session.__name__[8:].replace('_', ' ')
            try:
                session(Program(name.replace(' ', '-'), exe))
            except (Fail, sp.TimeoutExpired) as e:
                check(name, False, str(e))
            for proc in STARTED:   # a program that failed must not stand in for the next one
                proc.kill()
                proc.wait()
    except (Fail, sp.TimeoutExpired, OSError) as e:   # OSError: a tool or a file of the program missing
        check('setup', False, str(e))
    finally:   # however the run ends, no process of its own left
        os.system('wineserver -k 2>/dev/null')   # no exception, even without Wine
        sp.run(['bash', '-c', '. "$0/tools/private_wine.sh" && private_wine_end "$1"', ROOT, TMP])   # its folder too
        for daemon in reversed(DAEMONS):
            daemon.terminate()
            daemon.wait()
        shutil.rmtree(TMP, ignore_errors=True)
    print('e2e: %.0f s%s' % (time.time() - started, '; what the failures saw is in ' + SHOTS if counts[1] else ''))
    print('e2e: %d passed, %d failed, %d not run' % tuple(counts))
    return 1 if counts[1] else 0


if __name__ == '__main__':
    sys.exit(main())
