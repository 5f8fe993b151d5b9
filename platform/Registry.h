#pragma once

// The registry calls the editor makes to keep its settings, with the Windows names, types and
// meaning. On Windows they are the system's own.
//
// Elsewhere the keys below HKEY_CURRENT_USER\Software are folders below $XDG_CONFIG_HOME (or
// $HOME/.config when that is unset, empty or relative): "Software\Halvane Audio\Zarn Pro\" is
// "$XDG_CONFIG_HOME/Halvane Audio/Zarn Pro/". Each value is one file in its key's folder holding
// its type (four bytes, little-endian) and its data; a write replaces it whole through a temporary
// file and a rename. Key names are compared exactly; an empty name (but for one trailing
// backslash), ".", ".." or a name holding '/' is refused (ERROR_BAD_PATHNAME), and so is every key
// outside Software (ERROR_ACCESS_DENIED). Value names must not start with '.' nor hold '/'. Values
// above kMaxRegistryValueSize bytes are refused.

#include "platform/WindowsTypes.h"

#ifndef _WIN32

using REGSAM = DWORD;

inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t(0x80000001u));

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_DATA = 13;
inline constexpr LONG ERROR_WRITE_FAULT = 29;
inline constexpr LONG ERROR_READ_FAULT = 30;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_BAD_PATHNAME = 161;
inline constexpr LONG ERROR_MORE_DATA = 234;

inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_READ = 0x20019;

inline constexpr DWORD REG_BINARY = 3;

inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens an existing key below hKey; a null or empty subKey opens hKey itself again. *phkResult is
// null after a failure. The access asked for is not checked here.
LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);

// Opens the key, creating it and any missing key above it first. The class and the security
// attributes are ignored; the disposition, when asked for, tells whether the key was new.
LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                     REGSAM samDesired, const LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                     LPDWORD lpdwDisposition);

// Reads a value (a null or empty name: the key's unnamed value). With lpData null, only the type
// and the size are reported. A buffer smaller than the value gives ERROR_MORE_DATA, leaves the
// buffer as it was and sets *lpcbData to the size needed.
LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData);

// Writes a value of cbData bytes, replacing any value of that name whole.
LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData, DWORD cbData);

LONG RegCloseKey(HKEY hKey);

inline constexpr DWORD kMaxRegistryValueSize = 1u << 20;

#endif
