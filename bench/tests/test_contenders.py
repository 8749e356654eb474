# SPDX-License-Identifier: GPL-3.0-or-later
import configparser
import os
import tempfile
import unittest

from harness import contenders


class ContendersTest(unittest.TestCase):
    def setUp(self):
        self.run_dir = tempfile.mkdtemp()

    def test_runner_gets_a_document_for_the_page(self):
        url = "http://127.0.0.1:8000/?run=lumivane-1-x"
        argv = contenders.lumivane_runner("/bin/lumivane").command(url, self.run_dir, True)
        self.assertEqual(argv[:2], ["/bin/lumivane", "/l"])
        parser = configparser.ConfigParser(interpolation=None)
        parser.optionxform = str
        parser.read(argv[2])
        section = parser["Configuration"]
        self.assertEqual(section["URL"], url)
        self.assertRegex(section["Id"], r"^\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}$")
        self.assertEqual((section["WindowSize"], section["Width"], section["Height"]), ("1", "1024", "768"))
        self.assertEqual(len(section), 13)

    def test_every_run_is_a_new_web_app(self):
        documents = []
        for run_dir in (self.run_dir, tempfile.mkdtemp()):
            with open(contenders.lumivane_runner("x").command("u", run_dir, True)[2]) as document:
                documents.append(document.read())
        self.assertNotEqual(documents[0], documents[1])

    def test_sandbox_choice_reaches_every_engine_alike(self):
        chromium = contenders.chromium("/usr/bin/chromium")
        self.assertIn("--no-sandbox", chromium.command("u", self.run_dir, False))
        self.assertNotIn("--no-sandbox", chromium.command("u", self.run_dir, True))
        self.assertIn("--app=u", chromium.command("u", self.run_dir, True))
        base = {"PATH": "/bin", "QTWEBENGINE_DISABLE_SANDBOX": "1"}
        self.assertNotIn("QTWEBENGINE_DISABLE_SANDBOX",
                         contenders.fresh_environment(base, self.run_dir, ":5", "disabled:", True))
        self.assertEqual(contenders.fresh_environment(base, self.run_dir, ":5", "disabled:", False)
                         ["QTWEBENGINE_DISABLE_SANDBOX"], "1")

    def test_environment_is_fresh_and_free_of_test_settings(self):
        base = {"PATH": "/bin", "HOME": "/root", "QT_QPA_PLATFORM": "offscreen",
                "QTWEBENGINE_CHROMIUM_FLAGS": "--disable-gpu", "XDG_CONFIG_HOME": "/root/.config"}
        env = contenders.fresh_environment(base, self.run_dir, ":5", "unix:path=/tmp/bus", True)
        self.assertEqual(env["PATH"], "/bin")
        self.assertEqual((env["DISPLAY"], env["DBUS_SESSION_BUS_ADDRESS"]), (":5", "unix:path=/tmp/bus"))
        self.assertNotIn("QT_QPA_PLATFORM", env)
        self.assertNotIn("QTWEBENGINE_CHROMIUM_FLAGS", env)
        for key in ("HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"):
            self.assertTrue(env[key].startswith(self.run_dir + os.sep), key)
            self.assertTrue(os.path.isdir(env[key]), key)

    def test_window_contenders_differ_only_in_what_they_show(self):
        # No argument: the program's designer role. The text window is the bare window's binary.
        self.assertEqual(contenders.lumivane_designer("/bin/lumivane").command("", self.run_dir, True),
                         ["/bin/lumivane"])
        bare, text = contenders.barewidgets("/bin/bare"), contenders.baretext("/bin/bare")
        self.assertEqual(bare.command("", self.run_dir, True), ["/bin/bare"])
        self.assertEqual(text.command("", self.run_dir, True), ["/bin/bare", "--text"])
        self.assertEqual({bare.kind, text.kind}, {"window"})

    def test_variant_adds_settings_to_a_copy_of_its_base(self):
        floor = contenders.floor("/bin/floor")
        made = contenders.variant("low=floor,QTWEBENGINE_CHROMIUM_FLAGS=--a=1 --b,EXTRA=", [floor])
        self.assertEqual((made.name, made.kind, made.command("u", self.run_dir, True)),
                         ("low", "web", ["/bin/floor", "u"]))
        self.assertEqual(made.environment, {"QTWEBENGINE_CHROMIUM_FLAGS": "--a=1 --b", "EXTRA": ""})
        self.assertEqual(floor.environment, {})
        for wrong in ("x=nothing", "=floor", "x=floor,NOEQUALS"):
            with self.assertRaises(ValueError):
                contenders.variant(wrong, [floor])


if __name__ == "__main__":
    unittest.main()
