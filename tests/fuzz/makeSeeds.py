#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz corpus (the regression inputs found by fuzzing
are kept beside them by hand). Usage: makeSeeds.py PATH/TO/marlovan-cli"""
import json
import os
import struct
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
cli = sys.argv[1]


def put(target, name, data):
    folder = os.path.join(here, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def crc16(data):
    crc = 0
    for byte in data:
        crc ^= byte << 8
        for _ in range(8):
            crc = ((crc << 1) ^ 0x1021) if crc & 0x8000 else crc << 1
            crc &= 0xFFFF
    return crc


with tempfile.TemporaryDirectory() as tmp:
    def run(*args):
        return subprocess.run([cli, *args], check=True, capture_output=True).stdout

    defaults = os.path.join(tmp, "defaults.jxc")
    run("defaults", defaults)
    default_block = open(defaults, "rb").read()
    default_document = json.loads(run("decode", defaults))
    document = json.loads(run("decode", defaults))

    # Three modes that differ, knob-controlled values, every feature switched on.
    document["numModes"] = 3
    document["modes"][1]["axes"][2]["sensitivity"] = {
        "value": 0.75, "knobControlled": True, "knobValue": 1.5}
    document["modes"][1]["autofire"] = {"enabled": True, "button": 5, "period": 300}
    document["modes"][2]["reorderAxes"] = {"enabled": True, "order": [7, 6, 5, 4, 3, 2, 1, 0]}
    document["modes"][2]["cruiseControl"]["enabled"] = True
    document["modes"][2]["shiftX"]["value"] = -0.25
    three = os.path.join(tmp, "three.json")
    with open(three, "w") as f:
        json.dump(document, f)
    threeModes = os.path.join(tmp, "three.jxc")
    run("encode", three, threeModes)
    three_block = open(threeModes, "rb").read()

compact = lambda d: json.dumps(d, separators=(",", ":")).encode()

# settings_packets: byte 0 is the route (see settingsPacketsFuzz.cpp).
put("settings_packets", "defaults_packetwise", b"\x02" + default_block)
put("settings_packets", "defaults_prebuilt", b"\x06" + default_block)
put("settings_packets", "three_modes_mode_rules", b"\x0A" + three_block)
put("settings_packets", "commands",
    b"\x03" + b"".join(bytes([0xE0, 0, code, 1, 2, 3, 4]) for code in range(17)))

# settings_file: whole files.
put("settings_file", "defaults.jxc", default_block)
put("settings_file", "three_modes.jxc", three_block)
put("settings_file", "truncated.jxc", three_block[:200])

# config_file: flags, path length, path.
path = b"/home/user/profiles/flight.jxc"
put("config_file", "metric_auto_with_path", struct.pack("<II", 3, len(path)) + path)
put("config_file", "no_path", struct.pack("<II", 0, 0))
put("config_file", "path_longer_than_file", struct.pack("<II", 1, 40) + path)

# cli_json: the decode of the defaults and of three modes, and some partial documents.
put("cli_json", "defaults.json", compact(default_document))
put("cli_json", "three_modes.json", compact(document))
put("cli_json", "partial.json", compact({
    "numModes": 2, "modeButtons": [1, 2, 31],
    "modes": [{"knobRange": [{"minimum": 10, "maximum": 4000}]},
              {"motorPulse": {"enabled": True, "activationPoint": 65.535}}]}))
put("cli_json", "refused_values.json", compact({
    "LEDoutput": 256, "modes": [{"autofire": {"period": -1}, "shiftY": {"value": "nan"}}]}))

# joystick_report: length byte, report.
with_knobs = bytes([1, 0xFF, 0x03, 0x10, 0x40, 0x00, 0x01, 0xFC, 0x5F, 0x00, 0x02, 0x08, 1, 2, 4,
                    8, 16, 32, 64, 128])
without_knobs = bytes([1, 0x00, 0x02, 0x08, 0x20, 0x80, 0x00, 0x02, 0x30, 0xAA, 0x55, 0, 0, 0, 0,
                       0, 0x80])
assert len(with_knobs) == 20 and len(without_knobs) == 17
put("joystick_report", "with_knobs_20", bytes([20]) + with_knobs)
put("joystick_report", "without_knobs_17", bytes([17]) + without_knobs)
put("joystick_report", "both_then_settings_report",
    bytes([17]) + without_knobs + bytes([20]) + with_knobs + bytes([8, 2, 0xE0, 0, 5, 1, 2, 3, 0]))


# samba_monitor: flags, eight operations, then the monitor's answers.
def answers(*chunks):
    out = b""
    for chunk in chunks:
        assert len(chunk) < 255
        out += bytes([len(chunk)]) + chunk
    return out


word = lambda value: struct.pack("<I", value)
usb_chip = [word(0x20001000), word(0x410CC601), word(0x10010005)]  # vector, CPUID, DSU id
version = b"v2.0 [Arduino:XYZ] Mar 19 2016 17:10:44\n\r"
put("samba_monitor", "usb_extensions",
    bytes([1, 0x01, 0x02, 0x04, 0x55, 0x09, 0x07, 0x08, 0x0A]) + answers(
        b"", b"\n\r", *usb_chip, version,
        version, *usb_chip, word(0x12345678), bytes(range(33)), b"Z0000ABCD#\n\r",
        b"X\n\r", b"Y\n\r", b"Y\n\r", *usb_chip, b""))

put("samba_monitor", "usb_flash_driver",
    bytes([1, 0x0E, 0x8E, 0, 0, 0, 0, 0, 0]) + answers(
        b"", b"\n\r", *usb_chip, version, *usb_chip, *([word(0xFFFFFFFF)] * 40)))

block = bytes([1, 1, 0xFE]) + bytes(range(128))
block += struct.pack(">H", crc16(block[3:]))
serial_chip = [word(0x20000800), word(0x412FC230), word(0x285E0A60)]  # vector, CPUID, CHIPID
put("samba_monitor", "serial_xmodem",
    bytes([0, 0x86, 0x85, 0x01, 0x02, 0x0A, 0x00, 0x00, 0x00]) + answers(
        b"", b"", b"", b"\n\r>", b"\n\r", *serial_chip, b"v1.1 Dec 15 2010 19:25:04\n\r",
        b"C", b"\x06", b"\x06",
        b"", block, b"\x04", b"",
        b"v1.1 Dec 15 2010 19:25:04\n\r", *serial_chip, *serial_chip, b""))
put("samba_monitor", "arm7_serial",
    bytes([0, 0x01, 0x02, 0x06, 0x03, 0x0B, 0x0C, 0x0D, 0x00]) + answers(
        b"garbage", b"", b"", b"\n\r>", b"\n\r", word(0xEA000006), word(0x275B0940),
        b"v1.4 Nov 10 2004 14:29:33\n\r",
        b"v1.4\n\r", word(0xEA000006), word(0x275B0940), b"C", b"\x15", b"\x06", b"\x06", b"\xA5"))

# udev_properties: flags, sysname, properties, "--", usb_device attributes, "--", hid parent.
put("udev_properties", "usb_acm_tty", b"\x03ttyACM0\nDEVNAME=/dev/ttyACM0\nSUBSYSTEM=tty\n"
    b"ID_BUS=usb\nID_VENDOR_ID=1209\nID_MODEL_ID=4a58\n--\nidVendor=1209\nidProduct=4A58\n")
put("udev_properties", "udev_ids_only", b"\x01ttyUSB0\nDEVNAME=/dev/ttyUSB0\nID_BUS=usb\n"
    b"ID_VENDOR_ID=03eb\nID_MODEL_ID=6124\n")
put("udev_properties", "hidraw", b"\x04hidraw3\nDEVNAME=/dev/hidraw3\nSUBSYSTEM=hidraw\n--\n--\n"
    b"HID_ID=0003:00001209:00004A58\nHID_NAME=Joystick\n")
put("udev_properties", "pts_no_parent", b"\x00pts/3\nDEVNAME=/dev/pts/3\n")
