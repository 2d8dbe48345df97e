"""Prepares the tests' own Wine prefix once: created with wineboot, message
boxes unmanaged (without a window manager Wine otherwise waits about two
seconds after each box) and no crash dialog (a crash must end a run, not wait
for a click)."""

import os
import subprocess

import harness

SETTINGS = [
    (r"HKCU\Software\Wine\X11 Driver", "Managed", "REG_SZ", "N"),
    (r"HKCU\Software\Wine\WineDbg", "ShowCrashDialog", "REG_DWORD", "0"),
]


def main():
    env = harness.wine_environment(start_server=False)
    prefix = env["WINEPREFIX"]
    if not os.path.exists(os.path.join(prefix, "system.reg")):
        subprocess.run([harness.WINE, "wineboot", "-i"], env=env, check=True, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for key, name, kind, value in SETTINGS:
        subprocess.run([harness.WINE, "reg", "add", key, "/v", name, "/t", kind, "/d", value,
                        "/f"], env=env, check=True, timeout=120, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
    # The registry reaches the prefix's files when the server ends.
    subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=120)


if __name__ == "__main__":
    main()
