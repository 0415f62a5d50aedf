"""Builds the chirpwell package from this clone: libchirpwell with CMake, and cffi
bindings compiled against its header, with the library and its catalogue beside
them so that the package needs nothing installed but cffi.

CHIRPWELL_BUILD_DIR names a CMake build of the clone to take the library from (the
test command passes its own); without it the library is built in python/build/cmake.
"""

import os
import re
import shutil
import subprocess
from pathlib import Path

from cffi import FFI
from setuptools import setup
from setuptools.command.build_ext import build_ext

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent
HEADER = ROOT / "include" / "chirpwell" / "chirpwell.h"
# Where the built library waits for the extension to link against it.
STAGE = HERE / "build" / "stage"


def version():
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(Chirpwell VERSION ([0-9.]+)", text).group(1)


def declarations(header):
    """The header's declarations as cffi reads them: what lies inside extern "C",
    without preprocessor lines and the export macro. The compiler then checks them
    against the header itself, so the two cannot drift apart."""
    body = header.split('extern "C" {\n#endif\n', 1)[1].split("#ifdef __cplusplus\n}", 1)[0]
    lines = [line for line in body.splitlines() if not line.lstrip().startswith("#")]
    return "\n".join(lines).replace("CHIRPWELL_EXPORT ", "")


def make_ffi():
    ffi = FFI()
    ffi.cdef(declarations(HEADER.read_text(encoding="utf-8")))
    ffi.set_source(
        "chirpwell._native",
        "#include <chirpwell/chirpwell.h>",
        include_dirs=[str(ROOT / "include")],
        library_dirs=[str(STAGE)],
        libraries=["chirpwell"],
        # The library lies beside the bindings, in the package's lib folder.
        extra_link_args=["-Wl,-rpath,$ORIGIN/lib"],
    )
    return ffi


def build_library():
    """Builds libchirpwell and its catalogues; gives the build folder."""
    given = os.environ.get("CHIRPWELL_BUILD_DIR")
    build = Path(given).resolve() if given else HERE / "build" / "cmake"
    if not (build / "CMakeCache.txt").exists():
        generator = ["-G", "Ninja"] if shutil.which("ninja") else []
        subprocess.check_call(["cmake", "-S", str(ROOT), "-B", str(build), *generator,
                               "-DCMAKE_BUILD_TYPE=Release", "-DCHIRPWELL_BUILD_UI=OFF",
                               "-DCHIRPWELL_BUILD_TESTS=OFF"])
    subprocess.check_call(["cmake", "--build", str(build), "-j", str(os.cpu_count() or 1),
                           "--target", "chirpwell_library", "chirpwell_catalogues"])
    return build


class BuildWithLibrary(build_ext):
    """Builds the library first, links the bindings against it, then puts it and
    its catalogues into the package: lib/libchirpwell.so.1, where the bindings'
    run path looks, and locale/, where the library looks from its own folder."""

    def run(self):
        build = build_library()
        library = (build / "lib" / "libchirpwell.so.1").resolve()
        shutil.rmtree(STAGE, ignore_errors=True)
        STAGE.mkdir(parents=True)
        shutil.copy2(library, STAGE / "libchirpwell.so.1")
        (STAGE / "libchirpwell.so").symlink_to("libchirpwell.so.1")
        super().run()
        package = HERE / "chirpwell" if self.inplace else Path(self.build_lib) / "chirpwell"
        shutil.rmtree(package / "lib", ignore_errors=True)
        (package / "lib").mkdir(parents=True)
        shutil.copy2(library, package / "lib" / "libchirpwell.so.1")
        shutil.rmtree(package / "locale", ignore_errors=True)
        for catalogue in (build / "locale").glob("*/LC_MESSAGES/libchirpwell.mo"):
            target = package / "locale" / catalogue.relative_to(build / "locale")
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copy2(catalogue, target)


setup(
    version=version(),
    ext_modules=[make_ffi().distutils_extension(str(HERE / "build" / "cffi"))],
    cmdclass={"build_ext": BuildWithLibrary},
    zip_safe=False,
)
