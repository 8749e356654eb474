# SPDX-License-Identifier: GPL-3.0-or-later
"""What each contender is started with: its command line, its environment, its fresh profile."""

import dataclasses
import os
import uuid
from dataclasses import dataclass, field

WINDOW_WIDTH, WINDOW_HEIGHT = 1024, 768


def webapp_document(url, app_id):
    """A web app document for the page: a custom 1024 x 768 window, centred, nothing remembered yet."""
    lines = [
        "[Configuration]",
        "Id=" + app_id,
        "URL=" + url,
        "Mimic=Default",
        "WindowStyle=0",
        "WindowSize=1",
        "WindowPosition=0",
        "Width=%d" % WINDOW_WIDTH,
        "Height=%d" % WINDOW_HEIGHT,
        "Flip=0",
        "StayOnTop=0",
        "RememberLastPosition=1",
        "RememberLastSize=1",
        "ShowControlPanel=1",
    ]
    return "\r\n".join(lines) + "\r\n"


def new_app_id():
    return "{%s}" % str(uuid.uuid4()).upper()


def fresh_environment(base, run_dir, display, bus, sandbox):
    """`base` with a new HOME and XDG folders under `run_dir`, so every profile starts cold.

    Settings that would make one contender differ from another (a headless platform plugin,
    engine flags left over from a test shell) are removed. Without a sandbox the Qt contenders
    get QTWEBENGINE_DISABLE_SANDBOX, the counterpart of chromium's --no-sandbox.
    """
    env = {key: value for key, value in base.items()
           if key not in ("QT_QPA_PLATFORM", "QTWEBENGINE_CHROMIUM_FLAGS", "QTWEBENGINE_DISABLE_SANDBOX",
                          "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XAUTHORITY")
           and not key.startswith("XDG_")}
    home = os.path.join(run_dir, "home")
    env.update({
        "HOME": home,
        "XDG_CONFIG_HOME": os.path.join(home, ".config"),
        "XDG_CACHE_HOME": os.path.join(home, ".cache"),
        "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
        "XDG_RUNTIME_DIR": os.path.join(run_dir, "runtime"),
        "DISPLAY": display,
        "DBUS_SESSION_BUS_ADDRESS": bus,
    })
    if not sandbox:
        env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    for folder in (env["XDG_CONFIG_HOME"], env["XDG_CACHE_HOME"], env["XDG_DATA_HOME"]):
        os.makedirs(folder, exist_ok=True)
    os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
    return env


@dataclass
class Contender:
    name: str
    binary: str
    kind: str  # "web": shows the page; "window": shows its first window
    arguments: object = field(default=None, repr=False)  # (url, run_dir, sandbox) -> extra argv
    environment: dict = field(default_factory=dict)  # set on top of the fresh environment

    def command(self, url, run_dir, sandbox):
        extra = self.arguments(url, run_dir, sandbox) if self.arguments else []
        return [self.binary] + extra


def variant(text, contenders):
    """A contender made from another by "NAME=BASE[,VARIABLE=VALUE]...", for trying engine settings.

    For example "floor-lowend=floor,QTWEBENGINE_CHROMIUM_FLAGS=--enable-low-end-device-mode".
    Values may hold "=" but not ",".
    """
    name, _, rest = text.partition("=")
    base_name, *settings = rest.split(",")
    base = next((c for c in contenders if c.name == base_name), None)
    if not name or base is None:
        raise ValueError("a variant needs a name and one of %s: %r" % (", ".join(c.name for c in contenders), text))
    environment = dict(base.environment)
    for setting in settings:
        key, equals, value = setting.partition("=")
        if not key or not equals:
            raise ValueError("not VARIABLE=VALUE: %r" % setting)
        environment[key] = value
    return dataclasses.replace(base, name=name, environment=environment)


def lumivane_runner(binary):
    def arguments(url, run_dir, sandbox):
        document = os.path.join(run_dir, "bench.webapp")
        with open(document, "w", encoding="utf-8", newline="") as out:
            out.write(webapp_document(url, new_app_id()))
        return ["/l", document]
    return Contender("lumivane", binary, "web", arguments)


def floor(binary):
    return Contender("floor", binary, "web", lambda url, run_dir, sandbox: [url])


CHROMIUM_FLAGS = [
    "--no-first-run",
    "--no-default-browser-check",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--disable-default-apps",
    "--password-store=basic",
    "--window-size=%d,%d" % (WINDOW_WIDTH, WINDOW_HEIGHT),
]


def chromium(binary):
    def arguments(url, run_dir, sandbox):
        flags = ["--app=" + url, "--user-data-dir=" + os.path.join(run_dir, "chromium-profile")]
        flags += CHROMIUM_FLAGS
        if not sandbox:
            flags.append("--no-sandbox")
        return flags
    return Contender("chromium", binary, "web", arguments)


def lumivane_designer(binary):
    return Contender("designer", binary, "window")


def barewidgets(binary):
    return Contender("barewidgets", binary, "window")


def baretext(binary):
    """The bare window showing one line of text: what any text costs, for reading the designer's figure."""
    return Contender("baretext", binary, "window", lambda url, run_dir, sandbox: ["--text"])
