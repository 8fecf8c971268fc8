# The HTTP client arrives with the update check.
