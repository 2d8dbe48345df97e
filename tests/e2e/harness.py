"""Runs the plug-in in the test host under Wine and reads back what happened.

A test writes a scenario (Scenario), copies the DLL into a folder of its own
with the INI file it needs (plugin_copy, ini_file), runs the host (run_host)
and looks at the calls, message boxes and host events of the result (HostRun).
Every run also checks that the plug-in left the files beside it untouched.

The environment comes from ctest (see CMakeLists.txt here): VORLENT_DLL,
VORLENT_TESTHOST_DIR, VORLENT_E2E_WORK, WINEPREFIX, VORLENT_WINE.
"""

import atexit
import os
import shutil
import subprocess
import unittest

DLL = os.environ.get("VORLENT_DLL", "")
TESTHOST_DIR = os.environ.get("VORLENT_TESTHOST_DIR", "")
WORK = os.environ.get("VORLENT_E2E_WORK", "")
WINE = os.environ.get("VORLENT_WINE") or "wine"

# The plug-in's texts as the user sees them, in code page 932.
CP = "cp932"
PLUGIN_NAME = "Vorlent".encode(CP)
VENDOR = "Mobrenne".encode(CP)
VERSION_TEXT = "Ver. 1.2".encode(CP)
DESCRIPTION = ("メールの送信前に、本文の文字列を検索し\"添付\"の文字列があった場合に、"
               "警告を表示します").encode(CP)
SETUP_NOTICE = "設定は、INIファイル(Vorlent.ini)で行いBeckyを再起動してください".encode(CP)
PROMPT_BEFORE = "文字列\"".encode(CP)
PROMPT_AFTER = "\"が見つかりました。\n続行しますか？".encode(CP)
ATTACHMENT = "添付".encode(CP)

HOST_WAIT_SECONDS = 60


def prompt_text(check_string: bytes) -> bytes:
    """String 5 with the check string in place of %s."""
    return PROMPT_BEFORE + check_string + PROMPT_AFTER


def found_string(box) -> bytes:
    """The check string a prompt names; fails if the text is not a prompt."""
    text = box.text
    if not (text.startswith(PROMPT_BEFORE) and text.endswith(PROMPT_AFTER)):
        raise AssertionError(f"not a prompt text: {text!r}")
    return text[len(PROMPT_BEFORE):len(text) - len(PROMPT_AFTER)]


def encode(value) -> bytes:
    return value if isinstance(value, bytes) else value.encode(CP)


def windows_path(path: str) -> str:
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def crlf_lines(*lines) -> bytes:
    return b"\r\n".join(encode(line) for line in lines)


def ini_file(check=None, ignore=None, section="Config", check_key="Check String",
             ignore_key="Ignore Line Prefix", stop=None) -> bytes:
    """An INI file as a user would save it: code page 932, CRLF line ends.
    A value of None leaves its key out."""
    lines = [b"; written by the end-to-end tests", b"[" + encode(section) + b"]"]
    if check is not None:
        lines.append(encode(check_key) + b"=" + encode(check))
    if ignore is not None:
        lines.append(encode(ignore_key) + b"=" + encode(ignore))
    if stop is not None:
        lines.append(b"Ignore From Line Prefix=" + encode(stop))
    return b"\r\n".join(lines) + b"\r\n"


# --- folders and files -----------------------------------------------------

def _name(owner) -> str:
    """A test's class and method name, or a test class's name."""
    if isinstance(owner, unittest.TestCase):
        return ".".join(owner.id().split(".")[-2:])
    return owner.__name__


def case_folder(owner, *parts: str) -> str:
    """A fresh folder for a test or a test class (and optionally one row)."""
    folder = os.path.join(WORK, *_name(owner).split("."), *parts)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    return folder


def plugin_copy(folder: str, name: str = "Vorlent.dll", ini: bytes = None,
                ini_name: str = None) -> str:
    """Copies the DLL into the folder under the given name, with an INI file
    beside it (named after the copy unless ini_name says otherwise)."""
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, name)
    shutil.copyfile(DLL, path)
    if ini is not None:
        if ini_name is None:
            ini_name = os.path.splitext(name)[0] + ".ini"
        with open(os.path.join(folder, ini_name), "wb") as file:
            file.write(ini)
    return path


def add_scenario_file(scenario: "Scenario", path: str):
    """Appends the commands of a scenario file, comments and blank lines left out."""
    with open(path, encoding="utf-8") as file:
        for line in file:
            if line.strip() and not line.lstrip().startswith("#"):
                scenario.lines.append(line.rstrip("\n"))


def _snapshot(folder: str) -> dict:
    files = {}
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if os.path.isfile(path):
            with open(path, "rb") as file:
                files[name] = (file.read(), os.stat(path).st_mtime_ns)
    return files


# --- scenarios ---------------------------------------------------------------

class Scenario:
    """A script for the test host. Methods that call the plug-in return a key
    for HostRun.call; load returns a key for HostRun.load."""

    def __init__(self):
        self.lines = []
        self.folders = []
        self._calls = 0
        self._loads = 0

    def _add(self, line: str):
        self.lines.append(line)
        return self

    def version(self, text: str):
        return self._add(f"version {text}".rstrip() if text else "version")

    def body(self, text):
        """The body the host hands out; None makes BKA_CompGetText return null."""
        if text is None:
            return self._add("body-null")
        return self._add("body-hex " + encode(text).hex())

    def body_file(self, path: str):
        """The body the host hands out, read from a file as raw bytes: for
        bodies too big to write into the scenario as hex."""
        return self._add("body-file " + windows_path(path))

    def answer(self, *answers: str):
        return self._add("answer " + " ".join(answers)) if answers else self

    def answers_clear(self):
        return self._add("answers-clear")

    def popup(self):
        return self._add("popup")

    def popup_close(self):
        return self._add("popup-close")

    def load(self, path: str) -> int:
        folder = os.path.dirname(path)
        if folder not in self.folders:
            self.folders.append(folder)
        self._add("load " + windows_path(path))
        self._loads += 1
        return self._loads - 1

    def unload(self):
        return self._add("unload")

    def _call(self, line: str) -> int:
        self._add(line)
        self._calls += 1
        return self._calls - 1

    def info(self, size: int, fill: int) -> int:
        return self._call(f"info {size} {fill:02x}")

    def setup(self) -> int:
        return self._call("setup")

    def outgoing(self, handle, mode) -> int:
        return self._call(f"outgoing {handle} {mode}")

    def call(self, name: str, *args) -> int:
        return self._call(" ".join(["call", name, *(str(arg) for arg in args)]))

    def on_box_outgoing(self, handle, mode) -> int:
        """BKC_OnOutgoing called from inside the next box, before that box is
        answered. Its key comes before the key of the call that shows the box:
        keys follow the order in which calls end."""
        return self._call(f"on-box outgoing {handle} {mode}")

    def usage(self):
        """Reports the host's memory and open handles (HostRun.usages)."""
        return self._add("usage")

    def repeat(self, times: int):
        """Runs the lines up to end_repeat that many times. Calls inside get
        no keys: find them in HostRun.calls."""
        return self._add(f"repeat {times}")

    def end_repeat(self):
        return self._add("end-repeat")

    def load_send_setup_unload(self, path: str, body) -> tuple:
        """Loads the plug-in, sends the body answering OK to its prompt, opens
        the setup answering OK, and unloads it: the two calls' keys."""
        self.load(path)
        self.body(body)
        self.answer("ok")
        send = self.outgoing(1, 0)
        self.answers_clear()
        self.answer("ok")
        setup = self.setup()
        self.unload()
        return send, setup

    def text(self) -> str:
        return "\n".join(self.lines) + "\n"


# --- results -----------------------------------------------------------------

class Event(dict):
    """One line of the results file: its kind and its fields."""

    def __init__(self, line: str):
        kind, *fields = line.split(" ")
        super().__init__(field.split("=", 1) for field in fields)
        self.kind = kind

    def number(self, name: str) -> int:
        return int(self[name])

    def flag(self, name: str):
        return {"1": True, "0": False}.get(self[name])

    def bytes(self, name: str) -> bytes:
        return bytes.fromhex(self[name])


class Box:
    def __init__(self, event: Event, enabled_after: bool):
        self.caption = event.bytes("caption")
        self.text = event.bytes("text")
        self.owner = event["owner"]
        self.main_enabled = event.flag("main_enabled")
        self.popup_enabled = event.flag("popup_enabled")
        self.icon = event["icon"]
        self.buttons = event["buttons"].split(",")
        self.answer = event["answer"]
        # The main window was enabled again after the box and before the
        # next box or the callback's return.
        self.main_enabled_after = enabled_after

    def __repr__(self):
        return f"Box({self.caption!r}, {self.text!r}, answer={self.answer})"


class Call:
    """One callback: its result and everything the host saw while it ran."""

    def __init__(self, events: list):
        end = events[-1]
        self.name = end["name"]
        self.result = end.number("result")
        self.stack = end.number("stack")
        self.outstanding = end.number("outstanding")
        self.unused_answers = end.number("unused_answers")
        self.main_enabled = end.flag("main_enabled")
        self.popup_enabled = end.flag("popup_enabled")
        self.active = end["active"]
        self.record = end.bytes("record") if "record" in end else None
        self.events = events[1:-1]
        self.gettexts = [e for e in self.events if e.kind == "gettext"]
        self.frees = [e for e in self.events if e.kind == "free"]
        self.unexpected = [e for e in self.events if e.kind == "unexpected"]
        self.boxes = []
        for index, event in enumerate(self.events):
            if event.kind == "box":
                self.boxes.append(Box(event, self._enabled_after(index)))

    def _enabled_after(self, box_index: int) -> bool:
        for event in self.events[box_index + 1:]:
            if event.kind == "box":
                return False
            if event.kind == "enable" and event["window"] == "main" and event["value"] == "1":
                return True
        return False

    @property
    def found(self) -> list:
        """The check strings the prompts named, in the order asked."""
        return [found_string(box) for box in self.boxes]

    def __repr__(self):
        return f"Call({self.name} -> {self.result}, boxes={self.boxes})"


class Load:
    """One LoadLibrary of the plug-in, with the host events it caused."""

    def __init__(self, event: Event, during: list):
        self.ok = event.flag("ok")
        self.error = event.number("error")
        self.events = during
        self.version_asked = any(e.kind == "getversion" for e in during)

    def __repr__(self):
        return f"Load(ok={self.ok}, error={self.error})"


class Usage:
    """What the host process held at a `usage` line: committed private
    memory, busy heap bytes, and open handles."""

    def __init__(self, event: Event):
        self.pagefile = event.number("pagefile")
        self.heap = event.number("heap")
        self.handles = event.number("handles")

    def __repr__(self):
        return f"Usage(pagefile={self.pagefile}, heap={self.heap}, handles={self.handles})"


class HostRun:
    def __init__(self, events: list, exit_code: int, results_path: str):
        self.events = events
        self.exit_code = exit_code
        self.results_path = results_path
        self.loads = []
        self.calls = []
        # A callback made from inside another's box begins and ends within it.
        begun = []
        since_last_step = []
        for event in events:
            if event.kind == "load":
                self.loads.append(Load(event, since_last_step))
            if event.kind in ("load", "unload", "call"):
                since_last_step = []
            else:
                since_last_step.append(event)
            if event.kind == "begin":
                begun.append([event])
            elif begun:
                begun[-1].append(event)
                if event.kind == "call":
                    self.calls.append(Call(begun.pop()))
        self.boxes = [e for e in events if e.kind == "box"]
        self.usages = [Usage(e) for e in events if e.kind == "usage"]

    def call(self, key: int) -> Call:
        return self.calls[key]

    def load(self, key: int) -> Load:
        return self.loads[key]


# --- Wine and the display ----------------------------------------------------

_display = {"env": None, "xvfb": None}


def _stop_display():
    subprocess.run(["wineserver", "-k"], env=wine_environment(), check=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    xvfb = _display["xvfb"]
    if xvfb is not None:
        xvfb.terminate()
        try:
            xvfb.wait(timeout=10)
        except subprocess.TimeoutExpired:
            xvfb.kill()


def wine_environment(start_server: bool = True) -> dict:
    """The environment for Wine: an X display (an Xvfb of our own when there
    is none), and the persistent server of the test prefix started once."""
    if _display["env"] is not None:
        return _display["env"]
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    if os.path.basename(WINE) == "wine64":
        # The 64-bit loader named directly: the programs it starts use it too.
        env.setdefault("WINELOADER", WINE)
    if not env.get("DISPLAY"):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        _display["xvfb"] = xvfb
        env["DISPLAY"] = ":" + number
    _display["env"] = env
    atexit.register(_stop_display)
    # Kept running between the runs (starting it is most of what a short run
    # costs), and for a few seconds after the last, should the end be missed.
    if start_server:
        subprocess.run(["wineserver", "-p5"], env=env, check=False, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
    return env


def run_host(owner, scenario: Scenario, host: str = "testhost", version: str = None,
             hold_ms: int = None, timeout: int = 30, window: bool = True,
             transcript: str = None) -> HostRun:
    """Runs the scenario in the named test host variant and reads its results.
    Fails the test if the host did not finish cleanly, or if anything in the
    plug-in's folders changed. The scenario, results and Wine's messages stay
    in the work folder, named after the test. With a transcript path the host
    also writes its readable account of the run there."""
    runs = os.path.join(WORK, "runs")
    os.makedirs(runs, exist_ok=True)
    base = os.path.join(runs, _name(owner) + "." + host)
    scenario_path, results_path = base + ".scenario", base + ".results"
    with open(scenario_path, "w", encoding="utf-8", newline="\n") as file:
        file.write(scenario.text())
    if os.path.exists(results_path):
        os.remove(results_path)

    before = {folder: _snapshot(folder) for folder in scenario.folders}
    command = [WINE, os.path.join(TESTHOST_DIR, host + ".exe"), windows_path(scenario_path),
               windows_path(results_path), "--timeout", str(timeout)]
    if version is not None:
        command += ["--version", version]
    if hold_ms is not None:
        command += ["--hold", str(hold_ms)]
    if not window:
        command.append("--no-window")
    if transcript is not None:
        command += ["--transcript", windows_path(transcript)]
    # Output goes to a file, not a pipe: Wine's server would keep a pipe open.
    with open(base + ".stderr", "wb") as errors:
        try:
            exit_code = subprocess.run(command, env=wine_environment(), stdout=errors,
                                       stderr=errors, timeout=timeout + HOST_WAIT_SECONDS
                                       ).returncode
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the test host did not end; see {results_path}")

    with open(results_path, encoding="ascii") as file:
        events = [Event(line.rstrip("\n")) for line in file if line.strip()]
    run = HostRun(events, exit_code, results_path)
    # The plug-in calls no host function but the three it needs.
    problems = [e for e in events if e.kind in ("error", "crash", "watchdog", "unexpected")]
    if exit_code != 0 or problems or not events or events[-1].kind != "end":
        raise AssertionError(f"the test host failed (exit {exit_code}): {problems}; "
                             f"see {results_path}")
    for folder, files in before.items():
        if _snapshot(folder) != files:
            raise AssertionError(f"the plug-in changed the files in {folder}")
    return run


# --- one send per configuration ---------------------------------------------

class Send:
    """One row of a table of sends: a copy of the plug-in in a folder of its
    own with an INI file (None: no file), the body to send, the check strings
    the user is expected to be asked about in order, and the answers given
    (OK to each expected prompt unless said otherwise)."""

    # A file of raw bytes to send instead of body, for bodies too big for
    # the scenario.
    body_path = None

    def __init__(self, label, ini, body, found, answers=None, dll_name="Vorlent.dll",
                 ini_name=None, extra_files=()):
        self.label = label
        self.ini = ini
        self.body = encode(body)
        self.found = [encode(item) for item in found]
        self.answers = answers if answers is not None else ["ok"] * len(found)
        self.dll_name = dll_name
        self.ini_name = ini_name
        self.extra_files = extra_files


def send_each(owner, sends: list, host: str = "testhost", timeout: int = 30) -> dict:
    """Loads each row's copy, sends its body once (mode 0), unloads; all rows
    in one run of the host. Returns the Call of each row by label."""
    scenario = Scenario()
    keys = {}
    for send in sends:
        folder = case_folder(owner, send.label)
        for name, content in send.extra_files:
            with open(os.path.join(folder, name), "wb") as file:
                file.write(content)
        scenario.load(plugin_copy(folder, send.dll_name, send.ini, send.ini_name))
        if send.body_path is not None:
            scenario.body_file(send.body_path)
        else:
            scenario.body(send.body)
        scenario.answer(*send.answers)
        keys[send.label] = scenario.outgoing(1, 0)
        scenario.answers_clear()
        scenario.unload()
    run = run_host(owner, scenario, host=host, timeout=timeout)
    return {label: run.call(key) for label, key in keys.items()}


def assert_all_go_ahead(owner, sends: list) -> dict:
    """Sends each row as send_each does and asserts, per row, that the
    prompts were the row's found strings, each answered OK, and that the send
    went ahead. Returns the Call of each row by label."""
    calls = send_each(owner, sends)
    for send in sends:
        with owner.subTest(send.label):
            call = calls[send.label]
            owner.assertEqual(call.found, send.found)
            owner.assertEqual(call.result, 0)
            owner.assertEqual(call.unused_answers, 0)
    return calls
