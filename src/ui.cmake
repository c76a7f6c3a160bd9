# SPDX-License-Identifier: GPL-3.0-or-later
# The Qt side: controls, message box, windows and the platform layer (moonleaf_ui).
