#!/usr/bin/python3
# Keys, clicks and screenshots on a headless mutter, as a remote-desktop
# client sees them: input through org.gnome.Mutter.RemoteDesktop, frames of
# the monitor through org.gnome.Mutter.ScreenCast (PipeWire). Reads one
# command a line on standard input and answers each with one line, "ok" or
# "error WHY"; the first line written is "ready" or "error WHY".
#   key SYM | down SYM | up SYM    a keysym (hexadecimal) typed, pressed, released
#   move X Y                       the pointer to X Y on the monitor
#   click                          the left button pressed and released
#   shot FILE                      one frame of the monitor into FILE (PNG)
import struct
import sys
import threading
import time
import zlib

import gi

gi.require_version('Gst', '1.0')
from gi.repository import Gio, GLib, Gst  # noqa: E402

BUS_NAME = 'org.gnome.Mutter.'
BTN_LEFT = 0x110
# Mutter sends a frame when the screen changes; one stream stays open and its
# latest frame is the screen as it stands.
FRAME_CAPS = 'video/x-raw,format=RGBx'
FIRST_FRAME_TIMEOUT_S = 10
STREAM_TIMEOUT_S = 10
# The session's keyboard and pointer appear at their first event, and a key
# pressed as the keyboard appears reaches the client as held, not as a press:
# a Shift and a move make both before the first command, and the clients
# get a moment to take them.
SHIFT_L = 'ffe1'
DEVICES_SETTLE_MS = 500
# Between a key's press and its release, as a quick typist's.
KEY_TAP_S = 0.03


def proxy(bus, service, path, interface):
    return Gio.DBusProxy.new_sync(bus, Gio.DBusProxyFlags.NONE, None, BUS_NAME + service, path,
                                  BUS_NAME + interface, None)


def call(p, method, args=None):
    return p.call_sync(method, args, Gio.DBusCallFlags.NONE, -1, None).unpack()


class Remote:
    def __init__(self, monitor):
        bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        desktop = proxy(bus, 'RemoteDesktop', '/org/gnome/Mutter/RemoteDesktop', 'RemoteDesktop')
        path = call(desktop, 'CreateSession')[0]
        self.session = proxy(bus, 'RemoteDesktop', path, 'RemoteDesktop.Session')
        session_id = self.session.get_cached_property('SessionId').unpack()
        cast = proxy(bus, 'ScreenCast', '/org/gnome/Mutter/ScreenCast', 'ScreenCast')
        options = {'remote-desktop-session-id': GLib.Variant('s', session_id)}
        cast_path = call(cast, 'CreateSession', GLib.Variant('(a{sv})', (options,)))[0]
        cast_session = proxy(bus, 'ScreenCast', cast_path, 'ScreenCast.Session')
        # The pointer is drawn into the frames: a click's place shows.
        embedded = {'cursor-mode': GLib.Variant('u', 1)}
        self.stream = call(cast_session, 'RecordMonitor', GLib.Variant('(sa{sv})', (monitor, embedded)))[0]
        self.node = None
        self.last = None
        self.node_known = threading.Event()
        bus.signal_subscribe(None, BUS_NAME + 'ScreenCast.Stream', 'PipeWireStreamAdded', self.stream, None,
                             Gio.DBusSignalFlags.NONE, self.on_stream_added)
        call(self.session, 'Start')

    def on_stream_added(self, *args):
        self.node = args[5].unpack()[0]
        self.node_known.set()

    def open_stream(self):
        self.frames = Gst.parse_launch(f'pipewiresrc path={self.node} always-copy=true ! videoconvert ! '
                                       f'{FRAME_CAPS} ! appsink name=sink max-buffers=1 drop=true sync=false')
        self.sink = self.frames.get_by_name('sink')
        self.frames.set_state(Gst.State.PLAYING)

    def save_frame(self, path):
        # The last frame received; the first waits for the stream to start.
        sample = self.sink.emit('try-pull-sample', 0) or self.last
        if sample is None:
            sample = self.sink.emit('try-pull-sample', FIRST_FRAME_TIMEOUT_S * Gst.SECOND)
        if sample is None:
            raise RuntimeError('no frame from the screen cast')
        self.last = sample
        caps = sample.get_caps().get_structure(0)
        width, height = caps.get_value('width'), caps.get_value('height')
        buffer = sample.get_buffer()
        ok, info = buffer.map(Gst.MapFlags.READ)
        try:
            data = bytes(info.data)  # each read of info.data copies the whole frame
        finally:
            buffer.unmap(info)
        stride = len(data) // height
        write_png(path, width, height, [data[y * stride:y * stride + width * 4] for y in range(height)])

    def keysym(self, sym, down):
        call(self.session, 'NotifyKeyboardKeysym', GLib.Variant('(ub)', (int(sym, 16), down)))

    def run(self, words):
        verb = words[0]
        if verb == 'key':
            self.keysym(words[1], True)
            time.sleep(KEY_TAP_S)
            self.keysym(words[1], False)
        elif verb in ('down', 'up'):
            self.keysym(words[1], verb == 'down')
        elif verb == 'move':
            call(self.session, 'NotifyPointerMotionAbsolute',
                 GLib.Variant('(sdd)', (self.stream, float(words[1]), float(words[2]))))
        elif verb == 'click':
            for down in (True, False):
                call(self.session, 'NotifyPointerButton', GLib.Variant('(ib)', (BTN_LEFT, down)))
        elif verb == 'shot':
            self.save_frame(words[1])
        else:
            raise ValueError(f'unknown command {verb}')


def write_png(path, width, height, rows):
    # RGBx rows to an RGB PNG, each row led by filter byte 0.
    raw = bytearray()
    for row in rows:
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = row[0::4], row[1::4], row[2::4]
        raw += b'\x00' + rgb

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    header = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(bytes(raw), 1)) +
                chunk(b'IEND', b''))


def serve(remote, loop):
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        answer = []
        finished = threading.Event()

        def work():
            try:
                remote.run(words)
                answer.append('ok')
            except (GLib.Error, OSError, ValueError, RuntimeError) as e:
                answer.append('error ' + str(e).replace('\n', ' '))
            finished.set()
            return False

        # D-Bus calls are made on the main loop's thread, one at a time.
        GLib.idle_add(work)
        finished.wait()
        print(answer[0], flush=True)
    loop.quit()


def main():
    monitor = sys.argv[1] if len(sys.argv) > 1 else 'Meta-0'
    Gst.init(None)
    try:
        remote = Remote(monitor)
    except GLib.Error as e:
        print('error', e.message, flush=True)
        return 1
    loop = GLib.MainLoop()

    def ready():
        print('ready', flush=True)
        threading.Thread(target=serve, args=(remote, loop), daemon=True).start()
        return False

    started = time.monotonic()

    def start():
        if not remote.node_known.is_set():
            if time.monotonic() - started < STREAM_TIMEOUT_S:
                return True
            print('error no PipeWire stream from the screen cast', flush=True)
            loop.quit()
            return False
        remote.open_stream()
        try:
            remote.run(['key', SHIFT_L])
            remote.run(['move', '0', '0'])
        except GLib.Error as e:
            print('error', e.message, flush=True)
            loop.quit()
            return False
        GLib.timeout_add(DEVICES_SETTLE_MS, ready)
        return False

    GLib.timeout_add(20, start)
    loop.run()
    return 0


if __name__ == '__main__':
    sys.exit(main())
