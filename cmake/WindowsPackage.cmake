# The Windows packages: a portable folder and zip, and an installer.
