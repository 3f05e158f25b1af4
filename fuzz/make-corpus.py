#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/.

Seeds are small valid inputs of each kind the readers accept, so that the fuzzers start from
deep inside each format. The JPEG seeds are compressed by the game's own libturbojpeg. Files
whose names start with "fault-" are inputs that once crashed a reader; they are kept by hand,
not written here.
"""
import ctypes
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def y4m(header, frames, planes):
    body = b"".join(b"FRAME\n" + bytes((i * 37 + f * 11) % 256 for i in range(planes))
                    for f in range(frames))
    return header.encode() + b"\n" + body


def y4m_seeds():
    write("y4m_reader", "420-2x2", y4m("YUV4MPEG2 W2 H2 F30:1 Ip A1:1 C420jpeg", 2, 4 + 2))
    write("y4m_reader", "mono-3x1", y4m("YUV4MPEG2 W3 H1 F25:1 Cmono", 1, 3))
    write("y4m_reader", "422-5x3", y4m("YUV4MPEG2 W5 H3 F30000:1001 C422", 1, 15 + 2 * 9))
    write("y4m_reader", "411-9x2", y4m("YUV4MPEG2 W9 H2 F60:1 C411 XYSCSS=411", 1, 18 + 2 * 6))
    write("y4m_reader", "444-2x2", y4m("YUV4MPEG2 W2 H2 F1:1 C444", 2, 12))
    cut = y4m("YUV4MPEG2 W4 H4 F30:1", 2, 16 + 8)
    write("y4m_reader", "truncated-last-frame", cut[:-5])
    params = b"YUV4MPEG2 W2 H2 F30:1 C444\nFRAME Ip XA=1\n" + bytes(12)
    write("y4m_reader", "frame-parameters", params)


def settings(mirror=1, period=5, moves=2, skill=0, skin=3, gravity=600.0, radius=30,
             basket=112, ring=200, top_ten=(), device=b""):
    data = bytearray(360)
    struct.pack_into("<IBBBBdiii", data, 0, mirror, period, moves, skill, skin, gravity,
                     radius, basket, ring)
    for i, (minutes, points, score, name) in enumerate(top_ten):
        struct.pack_into("<iii12s", data, 40 + 24 * i, minutes, points, score, name)
    data[280:280 + len(device)] = device
    return bytes(data)


def settings_seeds():
    write("settings_file", "defaults", settings())
    write("settings_file", "extreme", settings(mirror=0, period=255, moves=10, skill=5, skin=9,
                                               gravity=5000.0, radius=100, basket=400, ring=2000))
    rows = [(3 * i + 1, 40 - i, 100 - i, b"Player%d" % i) for i in range(10)]
    write("settings_file", "full-top-ten",
          settings(top_ten=rows, device=b"HD Pro Webcam C920 (usb-0000:00:14.0-2)"))
    write("settings_file", "unterminated-names",
          settings(top_ten=[(5, 9, 23, b"ElevenChars!")], device=b"x" * 80))
    write("settings_file", "nan-gravity-odd-ball", settings(gravity=float("nan"), radius=31))


def options_seeds():
    lines = {
        "demo-size": ["--demo", "--size", "640x480", "--fps", "29.97"],
        "headless-hour": ["--headless", "--demo", "--seconds", "3600", "--seed", "5",
                          "--snapshot", "out.png"],
        "replay-record": ["--replay", "in.y4m", "--record", "out.y4m", "--settings", "s.prm"],
        "players": ["--left", "Ann", "--right", "Computer", "--skill", "5", "--period", "3",
                    "--speed", "10", "--no-mirror"],
        "frames": ["--headless", "--frames", "100"],
    }
    for name, words in lines.items():
        write("options", name, b"\0".join(w.encode() for w in words))


# The order of the formats in camera_pixels_fuzz.cpp.
PIXEL_FORMATS = ["YUYV", "UYVY", "NV12", "XB24", "GREY", "RGB3", "YU12", "BGR3", "XR24"]


def report(format_index, width, height, stride, used, picture):
    return struct.pack("<BIIII", format_index, width, height, stride, used) + picture


def camera_pixel_seeds():
    w, h = 6, 4
    rows = {"YUYV": 12, "UYVY": 12, "NV12": 6, "YU12": 6, "GREY": 6, "RGB3": 18, "BGR3": 18,
            "XR24": 24, "XB24": 24}
    for i, name in enumerate(PIXEL_FORMATS):
        stride = rows[name]
        size = stride * h + (stride * h // 2 if name in ("NV12", "YU12") else 0)
        picture = bytes((k * 29) % 256 for k in range(size))
        write("camera_pixels", name.lower(), report(i, w, h, stride, size, picture))
    padded = bytes(range(16 * 3))
    write("camera_pixels", "yuyv-padded-rows", report(0, 3, 3, 16, len(padded), padded))
    write("camera_pixels", "grey-no-stride", report(4, 5, 2, 0, 10, bytes(range(10))))
    odd = bytes(range(7 * 3 + 2 * 4 * 2))  # 7 x 3 YU12 rows of 7 bytes, chroma rows of 4
    write("camera_pixels", "yu12-odd-size", report(6, 7, 3, 7, len(odd), odd))


TJSAMP_444, TJSAMP_422, TJSAMP_420, TJSAMP_GRAY = 0, 1, 2, 3
TJPF_RGB = 0
TJFLAG_PROGRESSIVE = 16384


def compress_jpeg(width, height, subsampling, flags):
    tj = ctypes.CDLL("libturbojpeg.so.0")
    tj.tjInitCompress.restype = ctypes.c_void_p
    handle = ctypes.c_void_p(tj.tjInitCompress())
    rgb = bytes((x * 255 // width) if c == 0 else (y * 255 // height) if c == 1 else 128
                for y in range(height) for x in range(width) for c in range(3))
    out = ctypes.POINTER(ctypes.c_ubyte)()
    size = ctypes.c_ulong(0)
    status = tj.tjCompress2(handle, rgb, width, 0, height, TJPF_RGB, ctypes.byref(out),
                            ctypes.byref(size), subsampling, 70, flags)
    assert status == 0, "tjCompress2 failed"
    jpeg = ctypes.string_at(out, size.value)
    tj.tjFree(out)
    tj.tjDestroy(handle)
    return jpeg


def camera_jpeg_seeds():
    shapes = [("420", 16, 16, TJSAMP_420, 0), ("444", 8, 8, TJSAMP_444, 0),
              ("422-odd", 17, 9, TJSAMP_422, 0), ("grey", 8, 8, TJSAMP_GRAY, 0),
              ("progressive", 16, 8, TJSAMP_420, TJFLAG_PROGRESSIVE)]
    for name, w, h, subsampling, flags in shapes:
        jpeg = compress_jpeg(w, h, subsampling, flags)
        write("camera_jpeg", name, report(0, w, h, 0, len(jpeg), jpeg))


if __name__ == "__main__":
    y4m_seeds()
    settings_seeds()
    options_seeds()
    camera_pixel_seeds()
    camera_jpeg_seeds()
